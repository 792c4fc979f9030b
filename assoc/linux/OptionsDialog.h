#pragma once
// frmOptions' window on Linux in Qt Widgets: the designed controls at their twip
// positions converted with the screen's DPI, a fixed size, centred on the screen.
// Escape presses Cancel; Enter presses the focused button and nothing else; the close
// box unloads without applying. An Apply that does not do what the box asks gives the
// store's state back and says why in a message box (and on the standard error).
#include "AssociationStore.h"
#include "frmOptions.h"

#include <functional>

#include <QDialog>

class QCheckBox;
class QPushButton;

class OptionsDialog final : public QDialog, public OptionsWindow {
public:
    // `appFolder`: the folder that holds the program, as the platform reports it.
    explicit OptionsDialog(Text appFolder);

    // Loads the form, wires the buttons to it and shows the dialog with the focus on OK.
    void Open(frmOptions& form, AssociationStore& store);

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
    // Runs an Apply (and the unloading that may follow it once the user has read why it failed).
    void Applying(AssociationStore& store, const std::function<void()>& apply);

    Text appFolder_;
    QCheckBox* check1_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    QPushButton* cmdApply_;
    bool applying_ = false;
    bool unloadAfterApply_ = false;
};
