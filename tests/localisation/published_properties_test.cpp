// Tests of the published properties on each widget kind, hints and separators.
#include "LanguageFixture.h"
#include "localisation/PublishedProperties.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

using dm::Published;

// A non-visual component of ours, reached through its declared properties.
class Captioned : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER caption)
    Q_PROPERTY(QStringList Lines MEMBER lines)
    Q_PROPERTY(int Items MEMBER notAList)

public:
    QString caption = "Declared";
    QStringList lines{"a", "b"};
    int notAList = 0;
};

class PublishedPropertiesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { dm::test::ensureApplication(); }
};

TEST_F(PublishedPropertiesTest, EachWidgetKindMapsToItsQtProperty) {
    QDialog dialog;
    dialog.setWindowTitle("Dialog");
    QLineEdit edit("typed");
    QComboBox combo;
    combo.addItems({"x", "y"});
    QPlainTextEdit memo("one\ntwo");
    Captioned own;

    const struct {
        QObject* component;
        Published property;
        QVariant before;
        QVariant after;
    } cases[] = {
        {&dialog, Published::Caption, "Dialog", "Dialogue"},
        {&edit, Published::Text, "typed", "getippt"},
        {&edit, Published::Alignment, 0, 2},
        {&combo, Published::Items, QStringList({"x", "y"}), QStringList({"X", "Y"})},
        {&combo, Published::ItemIndex, 0, 1},
        {&memo, Published::Lines, QStringList({"one", "two"}), QStringList({"eins", "zwei"})},
        {&own, Published::Caption, "Declared", "Erklärt"},
        {&own, Published::Lines, QStringList({"a", "b"}), QStringList({"A", "B"})},
    };
    for (const auto& c : cases) {
        const auto name = dm::publishedName(c.property);
        ASSERT_TRUE(dm::hasPublished(c.component, c.property)) << name;
        EXPECT_EQ(dm::readPublished(c.component, c.property), c.before) << name;
        EXPECT_TRUE(dm::writePublished(c.component, c.property, c.after)) << name;
        EXPECT_EQ(dm::readPublished(c.component, c.property), c.after) << name;
    }
    EXPECT_EQ(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(memo.toPlainText(), "eins\nzwei");
    EXPECT_EQ(own.caption, "Erklärt");
}

TEST_F(PublishedPropertiesTest, MissingPropertiesAreSkipped) {
    QWidget form; // a parentless widget would be a form with a caption of its own
    QComboBox fixed(&form);
    QLineEdit edit(&form);
    Captioned own;
    const struct {
        QObject* component;
        Published property;
    } cases[] = {
        {&fixed, Published::Text},   {&fixed, Published::Caption},  {&edit, Published::Items},
        {&edit, Published::Layout},  {&own, Published::Items},      {&own, Published::Hint},
        {&own, Published::ShowHint}, {nullptr, Published::Caption},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(dm::hasPublished(c.component, c.property)) << dm::publishedName(c.property);
        EXPECT_FALSE(dm::writePublished(c.component, c.property, QString("x")));
        EXPECT_FALSE(dm::readPublished(c.component, c.property).isValid());
    }
    EXPECT_FALSE(dm::hasFont(&own));
    EXPECT_EQ(dm::fontCharSet(&own), 1);
}

TEST_F(PublishedPropertiesTest, ReplacingEntriesNeverAddsOrRemoves) {
    QComboBox combo;
    combo.addItems({"a", "b", "c"});
    combo.setCurrentIndex(2);
    EXPECT_TRUE(dm::replaceEntries(&combo, Published::Items, {"A"}));
    EXPECT_TRUE(dm::replaceEntries(&combo, Published::Items, {"1", "2", "3", "4", "5"}));
    EXPECT_EQ(dm::readPublished(&combo, Published::Items), QStringList({"1", "2", "3"}));
    EXPECT_EQ(combo.currentIndex(), 2);
    EXPECT_FALSE(dm::replaceEntries(&combo, Published::Caption, {"x"}));
}

TEST_F(PublishedPropertiesTest, HintIsKeptWhileShowHintIsOff) {
    QLabel label;
    label.setToolTip("tip");
    EXPECT_TRUE(dm::readPublished(&label, Published::ShowHint).toBool());
    dm::writePublished(&label, Published::ShowHint, false);
    EXPECT_EQ(label.toolTip(), "");
    dm::writePublished(&label, Published::Hint, QString("new tip"));
    EXPECT_EQ(label.toolTip(), "");
    EXPECT_EQ(dm::readPublished(&label, Published::Hint), "new tip");
    dm::writePublished(&label, Published::ShowHint, true);
    EXPECT_EQ(label.toolTip(), "new tip");
}

// A menu item whose caption is "-" is a separator line, drawn without a text; its caption still
// reads "-", so templates and language files keep it.
TEST_F(PublishedPropertiesTest, MenuItemCaptionedDashIsATextlessSeparator) {
    QAction item("&Quit");
    ASSERT_TRUE(dm::writePublished(&item, Published::Caption, "-"));
    EXPECT_TRUE(item.isSeparator());
    EXPECT_TRUE(item.text().isEmpty());
    EXPECT_EQ(dm::readPublished(&item, Published::Caption).toString(), "-");

    ASSERT_TRUE(dm::writePublished(&item, Published::Caption, "&Beenden"));
    EXPECT_FALSE(item.isSeparator());
    EXPECT_EQ(item.text(), "&Beenden");
    EXPECT_EQ(dm::readPublished(&item, Published::Caption).toString(), "&Beenden");
}

TEST(SplitTextLines, BreaksLikeAStringList) {
    const struct {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dm::splitTextLines(c.text), c.lines) << c.text;
}

} // namespace

#include "published_properties_test.moc"
