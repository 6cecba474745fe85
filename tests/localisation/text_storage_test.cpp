// Tests of the text table's translation lookup and unused marks, and of the range test.
#include "localisation/TextStorage.h"
#include "localisation/format/InRange.h"

#include <QVariant>
#include <gtest/gtest.h>

namespace {

using dm::TextStorage;

// A table as a form stores it, with its English texts taken as the lookup source.
void load(TextStorage& table, const QStringList& english) {
    table.setItems(english);
    table.Loaded();
}

TEST(TextStorage, TranslateWithoutTranslationGivesTheEnglishEntry) {
    TextStorage table;
    load(table, {"Empty slot !", "Used :", "GB"});
    EXPECT_EQ(table.Translate("Used :"), "Used :");
    EXPECT_EQ(table.Translate("Not in the table"), "Not in the table");
}

TEST(TextStorage, TranslateFindsTheEnglishEntryInAnyCaseAndGivesItsCurrentText) {
    TextStorage table;
    load(table, {"Empty slot !", "Used :", "GB"});
    table.setItems({"Steckplatz leer !", "Belegt :", "GB"});
    EXPECT_EQ(table.Translate("Used :"), "Belegt :");
    EXPECT_EQ(table.Translate("empty slot !"), "Steckplatz leer !");
    EXPECT_EQ(table.Translate("EMPTY SLOT !"), "Steckplatz leer !");
}

TEST(TextStorage, TranslatedTextIsNotItselfLookedUp) {
    TextStorage table;
    load(table, {"Yes", "No", "Cancel"});
    QStringList items = table.Items();
    items[1] = "Nein";
    table.setItems(items); // a language file replaced the second line
    EXPECT_EQ(table.Translate("No"), "Nein");
    EXPECT_EQ(table.Translate("Nein"), "Nein");
}

TEST(TextStorage, FirstOfTwoEntriesDifferingOnlyInCaseWins) {
    TextStorage table;
    load(table, {"Size", "SIZE"});
    table.setItems({"Taille", "TAILLE"});
    EXPECT_EQ(table.Translate("SIZE"), "Taille");
}

TEST(TextStorage, UnusedPlaceholderCountsAsNoTranslation) {
    TextStorage table;
    load(table, {"About", "Close"});
    table.setItems({"unused", "Fermer"});
    EXPECT_EQ(table.Translate("About"), "About");
    EXPECT_EQ(table.Translate("unused"), "unused");
    // The placeholder test is exact: other letter case is a real translation.
    table.setItems({"Unused", "Fermer"});
    EXPECT_EQ(table.Translate("About"), "Unused");
}

TEST(TextStorage, MarkUnusedMarksEveryEntryOfBothLists) {
    TextStorage table;
    load(table, {"B", "KB", "MB"});
    table.setItems({"o", "Ko", "Mo"});
    EXPECT_EQ(table.MarkUnused(), 3);
    EXPECT_EQ(table.Items(), QStringList({"unused", "unused", "unused"}));
    EXPECT_EQ(table.Translate("KB"), "KB");
    EXPECT_EQ(table.Translate("unused"), "unused");

    TextStorage empty;
    EXPECT_EQ(empty.MarkUnused(), 0);
}

TEST(TextStorage, ItemsIsAPublishedStringList) {
    TextStorage table;
    table.setObjectName("mainTS");
    table.setProperty("Items", QStringList({"GB", "MB"}));
    table.Loaded();
    EXPECT_EQ(table.property("Items").toStringList(), QStringList({"GB", "MB"}));
    table.setProperty("Items", QStringList({"Go", "Mo"}));
    EXPECT_EQ(table.Translate("GB"), "Go");
}

TEST(TextStorage, LookupBeforeLoadedFindsNothing) {
    TextStorage table;
    table.setItems({"GB"});
    EXPECT_EQ(table.Translate("gb"), "gb");
}

TEST(InRange, LowIsInsideAndHighIsOutside) {
    struct Case {
        std::int32_t value, low, high;
        bool expected;
    };
    const Case cases[] = {
        {5, 0, 5, false},
        {0, 0, 1, true},
        {-1, 0, 10, false},
        {4, 0, 5, true},
        {0, 0, 0, false},
        {INT32_MIN, INT32_MIN, INT32_MAX, true},
        {INT32_MAX, INT32_MIN, INT32_MAX, false},
        {3, 5, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dm::InRange(c.value, c.low, c.high), c.expected)
            << c.value << " in " << c.low << ".." << c.high;
}

} // namespace
