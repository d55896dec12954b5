// What the editors and the utility let into a database: control characters,
// line breaks in one-line fields, "*" and emptiness in list keys, characters
// the database cannot store, and texts that would be cut.
#include <gtest/gtest.h>

#include "remedies/entry_check.h"
#include "remedies/field_search.h"

using namespace remedies;

namespace {

struct KeyTexts {
    std::string name{};
    std::string text{};
    std::string hint{};
};

EntryField Key(const KeyTexts& texts) {
    EntryField f;
    f.name = texts.name;
    f.text = texts.text;
    f.capacity = 300;
    f.key = true;
    f.hint = texts.hint;
    return f;
}

EntryField Memo(const std::string& name, const std::string& text, std::size_t capacity = 900) {
    EntryField f;
    f.name = name;
    f.text = text;
    f.capacity = capacity;
    f.lines = true;
    return f;
}

EntryField Line(const std::string& name, const std::string& text) {
    EntryField f;
    f.name = name;
    f.text = text;
    f.capacity = 70;
    return f;
}

TEST(EntryRefusals, EachFaultIsRefusedNamingItsField) {
    struct Case {
        std::vector<EntryField> fields;
        std::string wanted;  // part of the refusal
    };
    const std::vector<Case> cases{
        // Control characters anywhere: Ctrl-Z, 0x01, Escape, a tab, DEL, an unassigned code.
        {{Key({"Indicaties", "Koorts\x1A"})}, "\"Indicaties\" contiene un carattere di controllo (Ctrl-Z)"},
        {{Memo("Dosering", "3 x\x01 daags")}, "\"Dosering\" contiene un carattere di controllo (Ctrl-A)"},
        {{Line("Signatuur Dierenriem", "Ram\x1B")}, "(Esc)"},
        {{Memo("Notities", "a\tb")}, "(una tabulazione)"},
        {{Memo("Notities", "a\x7F")}, "(il codice 127)"},
        {{Memo("Notities", "a\x81")}, "(il codice 129)"},
        // A line break splits a key and a one-line field.
        {{Key({"Indicaties", "Hoofdpijn\r\nbij stress"})}, "\"Indicaties\" deve stare su una sola riga"},
        {{Line("Signatuur Planetaire 1", "Zon\nMars")}, "\"Signatuur Planetaire 1\" deve stare su una sola riga"},
        // "*" cuts a list key.
        {{Key({"Remedie", "Brandwond*test"})}, "\"Remedie\" non pu\xF2 contenere il carattere \"*\""},
        // Empty, blank, still the hint, or nothing a list would show.
        {{Key({"Remedie", ""})}, "\"Remedie\" \xE8 vuoto"},
        {{Key({"Remedie", "   "})}, "\"Remedie\" \xE8 vuoto"},
        {{Key({"Indicaties", "Indicaties", "Indicaties"})}, "\"Indicaties\" \xE8 vuoto"},
        {{Key({"Indicaties", "---"})}, "almeno una lettera o una cifra"},
        // Characters with no Windows-1252 code.
        {{[] {
             EntryField f = Memo("Psychische Synthese", "Grieks: ?????");
             f.foreign = "U+03A9, U+03BC";
             return f;
         }()},
         "\"Psychische Synthese\" contiene caratteri che il database non pu\xF2 registrare (U+03A9, U+03BC)"},
        // The first faulty field is the one named.
        {{Key({"Remedie", "Aurum"}), Key({"Indicaties", ""}), Memo("Dosering", "\x1A")}, "\"Indicaties\""},
    };
    for (const Case& c : cases) {
        const std::string why = EntryRefusal(c.fields);
        EXPECT_NE(why.find(c.wanted), std::string::npos) << "wanted \"" << c.wanted << "\", got \"" << why << "\"";
    }
}

TEST(EntryRefusals, OrdinaryEntriesPass) {
    // Line breaks in a memo, accented letters, a key ending in a degree sign
    // (the lists find it again by its list key), a non-key field left empty.
    EXPECT_EQ(EntryRefusal({Key({"Remedie", "Alo\xEB"}), Key({"Indicaties", "Koorts boven 39\xB0"}),
                            Memo("Dosering", "2 x daags\r\nna de maaltijd"), Line("Signatuur Planetaire 2", ""),
                            Memo("Notities", "Indicaties", 750)}),
              "");
}

TEST(EntryRefusals, TextsBeyondTheirFieldAreAskedAboutByName) {
    EXPECT_EQ(CutQuestion({Key({"Remedie", std::string(300, 'a')}), Memo("Dosering", std::string(900, 'p'))}), "");
    const std::string q = CutQuestion(
        {Key({"Remedie", std::string(301, 'a')}), Memo("Dosering", "kort"), Line("Zodiac", std::string(71, 'z'))});
    EXPECT_NE(q.find("\"Remedie\": 301 caratteri, il limite \xE8 300"), std::string::npos) << q;
    EXPECT_NE(q.find("\"Zodiac\": 71 caratteri, il limite \xE8 70"), std::string::npos) << q;
    EXPECT_EQ(q.find("Dosering"), std::string::npos) << q;
    EXPECT_NE(q.find("Salvare comunque?"), std::string::npos);
}

TEST(EntryRefusals, TheUtilitysFieldsAreKeysOrMemosAsInTheEditors) {
    // Keys: remedy and indication, therapies remedy and pathology.
    for (auto [db, code] : {std::pair{"Prima", "Rime"}, {"Prima", "Indi"}, {"Terap", "Rimed"}, {"Terap", "Patol"}}) {
        const EntryField f = SearchEntryField({db, code}, "a*b");
        EXPECT_TRUE(f.key) << code;
        EXPECT_NE(EntryRefusal({f}).find("\"*\""), std::string::npos) << code;
    }
    EXPECT_EQ(SearchEntryField({"Prima", "Indi"}, "").capacity, 300u);
    EXPECT_EQ(SearchEntryField({"Prima", "Indi"}, "").name, "Indicazioni");
    // Memos may hold line breaks; the signatures and the therapies posology are one line.
    EXPECT_EQ(EntryRefusal({SearchEntryField({"Prima", "Psic"}, "a\r\nb")}), "");
    EXPECT_EQ(EntryRefusal({SearchEntryField({"Terap", "Notes"}, "a\r\nb")}), "");
    EXPECT_NE(EntryRefusal({SearchEntryField({"Prima", "Szod"}, "Ram\r\nStier")}), "");
    EXPECT_NE(EntryRefusal({SearchEntryField({"Terap", "Posol"}, "a\r\nb")}), "");
}

}  // namespace
