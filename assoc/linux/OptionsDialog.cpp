#include "OptionsDialog.h"

#include "FailureReport.h"
#include "QtText.h"
#include "ReportBox.h"
#include "frmOptionsDesign.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>


namespace {

QRect Pixels(const TwipRect& twips, int pixelsPerInchX, int pixelsPerInchY)
{
    return QRect(TwipsToPixels(twips.left, pixelsPerInchX), TwipsToPixels(twips.top, pixelsPerInchY),
                 TwipsToPixels(twips.width, pixelsPerInchX), TwipsToPixels(twips.height, pixelsPerInchY));
}

template <typename Control>
Control* Place(QWidget* parent, const char* name, const ControlDesign& design, int pixelsPerInchX, int pixelsPerInchY)
{
    auto* control = new Control(ToQString(design.caption), parent);
    control->setObjectName(name);
    control->setGeometry(Pixels(design.rect, pixelsPerInchX, pixelsPerInchY));
    return control;
}

} // namespace

OptionsDialog::OptionsDialog(Text appFolder) : appFolder_(std::move(appFolder))
{
    using namespace frmOptionsDesign;
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(ToQString(kCaption));
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpiX = qRound(screen->logicalDotsPerInchX());
    const int dpiY = qRound(screen->logicalDotsPerInchY());
    setFixedSize(TwipsToPixels(kClientWidth, dpiX), TwipsToPixels(kClientHeight, dpiY));
    move(screen->availableGeometry().center() - rect().center());

    // Created in tab order: OK, Cancel, Apply, the hidden pages, the check box.
    cmdOK_ = Place<QPushButton>(this, "cmdOK", kCmdOK, dpiX, dpiY);
    cmdCancel_ = Place<QPushButton>(this, "cmdCancel", kCmdCancel, dpiX, dpiY);
    cmdApply_ = Place<QPushButton>(this, "cmdApply", kCmdApply, dpiX, dpiY);
    CreatePictureBoxes(dpiX, dpiY);
    check1_ = Place<QCheckBox>(this, "Check1", kCheck1, dpiX, dpiY);
    setTabOrder(cmdOK_, cmdCancel_);
    setTabOrder(cmdCancel_, cmdApply_);
    setTabOrder(cmdApply_, check1_);
}

void OptionsDialog::CreatePictureBoxes(int pixelsPerInchX, int pixelsPerInchY)
{
    using namespace frmOptionsDesign;
    for (int index = 1; index <= 3; ++index) {
        auto* picture = new QWidget(this);
        picture->setObjectName(QStringLiteral("picOptions%1").arg(index));
        picture->setGeometry(Pixels(kPicOptions, pixelsPerInchX, pixelsPerInchY));
        auto* frame = new QGroupBox(ToQString(kFraSampleCaptions[index - 1]), picture);
        frame->setObjectName(QStringLiteral("fraSample%1").arg(index + 1));
        frame->setGeometry(Pixels(kFraSample, pixelsPerInchX, pixelsPerInchY));
    }
}

void OptionsDialog::Open(frmOptions& form, AssociationStore& store)
{
    form.Form_Load();
    connect(cmdOK_, &QPushButton::clicked, this, [&] { Applying(store, [&form] { form.cmdOK_Click(); }); });
    connect(cmdCancel_, &QPushButton::clicked, this, [&form] { form.cmdCancel_Click(); });
    connect(cmdApply_, &QPushButton::clicked, this, [&] { Applying(store, [&form] { form.cmdApply_Click(); }); });
    show();
    cmdOK_->setFocus();
}

void OptionsDialog::Applying(AssociationStore& store, const std::function<void()>& apply)
{
    const std::int16_t wanted = Check1Value() == kChecked ? kChecked : kUnchecked;
    store.Keep();
    applying_ = true;
    apply();
    applying_ = false;
    // The form shows what the association now is: another state than the one asked for is a failure.
    const bool failed = Check1Value() != wanted;
    if (failed)
        store.GiveBack();
    const std::vector<std::string> reasons = store.TakeFailures();
    if (failed || !reasons.empty()) {
        QString text = QStringLiteral("関連づけを変えられませんでした。");
        for (const std::string& reason : reasons)
            text += QStringLiteral("\n") + QString::fromStdString(reason);
        if (reasons.empty()) {
            // The core refuses such folders without a word; another program may also have
            // written the same default over ours at the same moment.
            const QString reason = QStringLiteral("このフォルダーの Pexalo は関連づけられませんでした"
                                                  "（フォルダー名に \" や % は使えません。ほかのプログラムが同時に"
                                                  "関連づけを変えた場合は、もう一度お試しください）: ") +
                                   ToQString(appFolder_);
            kOrdinelReport.Say(reason.toStdString());
            text += QStringLiteral("\n") + reason;
        }
        ShowReport(kOrdinelReport, QMessageBox::Warning, text, this);
    }
    if (std::exchange(unloadAfterApply_, false))
        Unload();
}

std::optional<Text> OptionsDialog::AppPath()
{
    // Qt gives no folder when it cannot find the program, and a replacement character for
    // bytes of its path that are not text: a command built from either names another path.
    if (appFolder_.empty() || appFolder_.find(u'\uFFFD') != Text::npos) {
        kOrdinelReport.Say("the program's folder cannot be named, so .rm files cannot be associated with it");
        return std::nullopt;
    }
    return appFolder_;
}

std::int16_t OptionsDialog::Check1Value()
{
    switch (check1_->checkState()) {
    case Qt::Checked: return kChecked;
    case Qt::PartiallyChecked: return kGrayed;
    default: return kUnchecked;
    }
}

void OptionsDialog::SetCheck1Value(std::int16_t value)
{
    check1_->setCheckState(value == kChecked ? Qt::Checked : value == kGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

void OptionsDialog::Unload()
{
    if (applying_)
        unloadAfterApply_ = true;
    else
        QDialog::done(QDialog::Rejected);
}

void OptionsDialog::AssociationsChanged()
{
    // The desktop's openers read mimeapps.list and the entries anew, or watch them.
}

void OptionsDialog::reject()
{
    // QDialog routes Escape here: it presses Cancel, as the designed cancel button.
    cmdCancel_->click();
}

void OptionsDialog::keyPressEvent(QKeyEvent* event)
{
    // A focused button takes Enter itself. QDialog would hand any other Enter to a
    // default button, but the design has none: from the check box Enter does nothing.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void OptionsDialog::closeEvent(QCloseEvent* event)
{
    event->accept();
    Unload();
}
