#pragma once
// The Qt dialog wired to frmOptions and the desktop's association database, as Ordinel's
// main wires them, in the test program's own desktop; the program's folder holds a Pexalo.
#include "DesktopClassesRoot.h"
#include "LocaleCodePage.h"
#include "OptionsDialog.h"
#include "TestDesktop.h"

#include <QApplication>
#include <gtest/gtest.h>

// One application object for the whole test program.
QApplication& TestApplication();

class DialogFixture : public ::testing::Test {
protected:
    const TestDesktop& desktop = TestDesktop::Get();
    QApplication& application = TestApplication();
    DesktopClassesRoot classesRoot;
    NoBinaryValues native;
    LocaleCodePage codePage;
    OptionsDialog dialog{desktop.app.u16string()};
    frmOptions form{dialog, {classesRoot, native, codePage}, {u"Pexalo", u'/'}};
    std::string pressed_;

    void SetUp() override { desktop.Clear(); }
    template <typename Control> Control* Find(const char* name)
    {
        auto* control = dialog.findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    // The names of the buttons pressed since the call, in order.
    const std::string& RecordPresses();
    // Shows the dialog and waits until it has the keyboard.
    void OpenActive();
    // The user's defaults and our entry: what the dialog must or must not change.
    std::string Files() const;
};
