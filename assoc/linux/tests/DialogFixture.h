#pragma once
// The Qt dialog wired to frmOptions and a registry store in a temporary folder, as
// Ordinel's main wires them; the program's folder is /opt/pexalo.
#include "OptionsDialog.h"
#include "StoreNativeRegistry.h"
#include "StoreScriptShell.h"
#include "TempStore.h"
#include "LocaleCodePage.h"

#include <QApplication>
#include <gtest/gtest.h>

// One application object for the whole test program.
QApplication& TestApplication();

class DialogFixture : public ::testing::Test {
protected:
    QApplication& application = TestApplication();
    TempStore temp;
    StoreScriptShellFactory scriptShell{temp.store.get()};
    LocaleCodePage codePage;
    StoreNativeRegistry native{temp.store.get(), codePage};
    OptionsDialog dialog{u"/opt/pexalo"};
    frmOptions form{dialog, {scriptShell, native, codePage}, {u"Pexalo", u'/'}};
    std::string pressed_;

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
    void WriteString(const Text& path, const Text& text);
    Text ReadString(const Text& path);
    // Every value in the store, one per line: what the dialog must or must not change.
    std::string Values() const;
};
