// The dialog as designed: captions, sizes and places, keyboard order. Lengths are checked at 96 pixels per inch, where a twip is 1/15 pixel.
#include "DialogFixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

class OptionsDialogTest : public DialogFixture {
protected:
    void SetUp() override
    {
        if (QGuiApplication::primaryScreen()->logicalDotsPerInchX() != 96)
            GTEST_SKIP() << "the expected lengths are for 96 pixels per inch";
    }
};

TEST_F(OptionsDialogTest, ShowsTheDesignedCaptions)
{
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf16(u"オプション"));
    struct Case { const char* name; const char16_t* caption; } const cases[] = {
        {"Check1", u"関連づける"}, {"cmdOK", u"OK"}, {"cmdCancel", u"ｷｬﾝｾﾙ"}, {"cmdApply", u"更新"},
        {"fraSample2", u"ｻﾝﾌﾟﾙ 2"}, {"fraSample3", u"ｻﾝﾌﾟﾙ 3"}, {"fraSample4", u"ｻﾝﾌﾟﾙ 4"},
    };
    for (const auto& c : cases) {
        auto* box = qobject_cast<QGroupBox*>(Find<QWidget>(c.name));
        const QString shown = box ? box->title() : qobject_cast<QAbstractButton*>(Find<QWidget>(c.name))->text();
        EXPECT_EQ(shown, QString::fromUtf16(c.caption)) << c.name;
    }
}

TEST_F(OptionsDialogTest, PlacesEveryControlAtItsTwips)
{
    // 5805 x 3450 twips; fixed, so neither the user nor a layout can resize it.
    EXPECT_EQ(dialog.size(), QSize(387, 230));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    struct Case { const char* name; QRect pixels; } const cases[] = {
        {"cmdOK", {137, 184, 73, 25}},      // 2055, 2760, 1095, 375
        {"cmdCancel", {219, 184, 73, 25}},  // 3285, 2760, 1095, 375
        {"cmdApply", {300, 184, 73, 25}},   // 4500, 2760, 1095, 375
        {"Check1", {142, 64, 81, 19}},      // 2130, 960, 1215, 285
    };
    for (const auto& c : cases)
        EXPECT_EQ(Find<QWidget>(c.name)->geometry(), c.pixels) << c.name;
    for (const char* name : {"picOptions1", "picOptions2", "picOptions3"}) {
        const QWidget* picture = Find<QWidget>(name);
        EXPECT_EQ(picture->x(), -1333) << name;  // -20000 twips: never seen
        EXPECT_FALSE(dialog.rect().intersects(picture->geometry())) << name;
    }
    EXPECT_EQ(Find<QGroupBox>("fraSample3")->parentWidget(), Find<QWidget>("picOptions2"));
    const auto flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((dialog.geometry().center() - screenCentre).manhattanLength(), 1);
}

TEST_F(OptionsDialogTest, FocusStartsOnOkAndTabFollowsTheTabIndexes)
{
    OpenActive();
    const char* order[] = {"cmdOK", "cmdCancel", "cmdApply", "Check1", "cmdOK"};
    for (const char* name : order) {
        EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>(name)) << name;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

TEST_F(OptionsDialogTest, EnterPressesOnlyTheFocusedButton)
{
    OpenActive();
    const std::string& pressed = RecordPresses();
    for (const char* name : {"Check1", "cmdApply"}) {
        Find<QWidget>(name)->setFocus();
        QTest::keyClick(Find<QWidget>(name), Qt::Key_Return);
    }
    EXPECT_EQ(pressed, "cmdApply");  // no button is the default
}

} // namespace
