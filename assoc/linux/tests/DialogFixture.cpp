#include "DialogFixture.h"

#include <QPushButton>
#include <QTest>

namespace {

int gArgc = 1;
char gName[] = "assoc_linux_dialog_tests";
char* gArgv[] = {gName, nullptr};
std::unique_ptr<QApplication> gApplication;

// Qt's own globals are gone by the time static objects die: end the application first.
struct ApplicationEnvironment : ::testing::Environment {
    void TearDown() override { gApplication.reset(); }
};
const auto* const gEnvironment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

QApplication& TestApplication()
{
    if (!gApplication)
        gApplication = std::make_unique<QApplication>(gArgc, gArgv);
    return *gApplication;
}

void DialogFixture::OpenActive()
{
    dialog.Open(form);
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

const std::string& DialogFixture::RecordPresses()
{
    for (const char* name : {"cmdOK", "cmdCancel", "cmdApply"})
        QObject::connect(Find<QPushButton>(name), &QPushButton::clicked, [this, name] { pressed_ += name; });
    return pressed_;
}

std::string DialogFixture::Files() const
{
    return ReadFile(desktop.mimeApps) + "\n--\n" + ReadFile(desktop.entry);
}
