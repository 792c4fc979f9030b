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

void DialogFixture::WriteString(const Text& path, const Text& text)
{
    ASSERT_TRUE(scriptShell.CreateScriptShell()->RegWrite(path, Variant::String(text), u"REG_SZ"));
}

Text DialogFixture::ReadString(const Text& path)
{
    const auto value = scriptShell.CreateScriptShell()->RegRead(path);
    return value && value->ValueType() == VarType::BStr ? value->AsString() : u"(missing)";
}

std::string DialogFixture::Values() const
{
    return QueryFile(temp.file, "SELECT k.name || '\\' || v.name || '=' || v.data FROM key_values v "
                                "JOIN keys k ON k.id = v.key ORDER BY k.id, v.name");
}
