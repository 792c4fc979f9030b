#pragma once
// frmOptions' window on Linux in Qt Widgets: the designed controls at their twip
// positions converted with the screen's DPI, a fixed size, centred on the screen.
// Escape presses Cancel; Enter presses the focused button and nothing else; the close
// box unloads without applying.
#include "frmOptions.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

class OptionsDialog final : public QDialog, public OptionsWindow {
public:
    // `appFolder`: the folder that holds the program, as the platform reports it.
    explicit OptionsDialog(Text appFolder);

    // Loads the form, wires the buttons to it and shows the dialog with the focus on OK.
    void Open(frmOptions& form);

    // Nothing, and the reason on standard error, when Qt could not name the folder.
    std::optional<Text> AppPath() override;
    std::int16_t Check1Value() override;
    void SetCheck1Value(std::int16_t value) override;
    void Unload() override;
    void AssociationsChanged() override;

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreatePictureBoxes(int pixelsPerInchX, int pixelsPerInchY);

    Text appFolder_;
    QCheckBox* check1_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    QPushButton* cmdApply_;
};
