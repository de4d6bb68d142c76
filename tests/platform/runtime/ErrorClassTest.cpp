#include "platform/runtime/ErrorClass.h"

#include "platform/runtime/Messages.h"
#include "support/ScriptedMessages.h"

#include <QString>

#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <utility>
#include <vector>

using namespace tarvo;

namespace {

// Every message number with its severity, in table order.
const std::vector<std::pair<int, int>> kNumbers = {
    {30, 5}, {29, 3}, {12, 3}, {27, 5}, {19, 5}, {20, 5}, {18, 5}, {16, 5}, {34, 5}, {33, 5}, {4, 5},
    {7, 5},  {8, 5},  {37, 1}, {36, 1}, {23, 5}, {41, 5}, {14, 5}, {10, 1}, {15, 5}, {35, 1}, {21, 5},
    {39, 1}, {40, 1}, {6, 5},  {26, 3}, {28, 5}, {13, 5}, {11, 1}, {38, 1}, {24, 5}, {1, 5},  {43, 5},
    {3, 1},  {31, 5}, {5, 5},  {17, 5}, {25, 5}, {2, 5},  {42, 2}, {44, 5}, {45, 5}, {46, 5}, {47, 5},
    {49, 3}, {22, 3}, {51, 3}, {50, 3}, {48, 3}, {52, 5}, {53, 5}, {9, 5}};

const std::set<int> kGermanKeepsEnglish = {27, 34, 33, 23, 41, 14, 39, 40, 3,  31, 5,  25,
                                           42, 44, 46, 47, 49, 22, 51, 50, 48, 52, 53, 9};

struct Telling {
    int number;
    const char *englishTitle;
    const char *englishText;
    const char *germanTitle;
    const char *germanText;
};

const Telling kTelling[] = {
    {2, "Access Denied", "Could not get write access to %File so trying read-only.", "Zugriff verweigert",
     "Konnte die Datei \"%File\" nicht zum Schreiben öffnen. Sie wird im Nur-Lese-Zugriff geöffnet."},
    {12, "File Creation Error", "Error: (%ErrorText) creating %File.", "Datei nicht erzeugt",
     "Fehler (%ErrorText) beim Erzeugen der Datei %File."},
    {26, "File Access Error", "File %File could not be opened.  Error: %ErrorText.", "Datei Zugriffsfehler",
     "Die Datei \"%File\" konnte nicht geöffnet werden.|Fehler: %ErrorText"},
    {30, "Invalid Key", "%File key file is invalid. Key must be rebuilt.", "Ungültiger Schlüssel",
     "Die Schlüssel der Datei \"%File\" müssen neu aufgebaut werden."},
    {29, "Key was not built", "Error: (%ErrorText) repairing key for %File.", "Schlüssel nicht aufgebaut",
     "Fehler (%ErrorText) beim Reparieren der Schlüssel für Datei %File."},
    {35, "Auto Increment Error",
     "Attempts to automatically number this record have failed.|File: %File|Key: %Key|Error: "
     "%ErrorText.|Try Again?",
     "Automatische Nummerierung",
     "Versuche diesen Datensatz automatisch zu nummerieren schlugen fehl.|Datei: %File|Schlüssel: "
     "%Key|Fehler: %ErrorText||Noch einmal versuchen?"},
    {15, "Duplicate Key Error", "Adding this record creates a duplicate entry for the key: %Message",
     "Doppelter Schlüssel", "Einfügen dieses Datensatzes erzeugt einen doppelten Schlüssel: %Message"},
    {18, "Range Error", "The value of %Field must be in range %Message.", "Bereichsfehler",
     "Der Wert des Feldes \"%Field\" muß zwischen \"%Message\" liegen."},
    {33, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these references "
     "exist.",
     "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these references "
     "exist."},
    {34, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from change and "
     "have been reset to original values.",
     "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from change and "
     "have been reset to original values."},
    {10, "Changes will be lost!", "Are you sure you want to cancel?", "Abbruch",
     "Sind Sie sicher, dass Sie abbrechen möchten?"},
    {11, "Confirm Delete", "Are you sure you want to delete the highlighted record?", "Löschen bestätigen...",
     "Sind Sie sicher, dass Sie diesen Datensatz löschen möchten?"},
    {38, "Save Record", "Do you want to save the changes to this record?", "Speichern",
     "Möchten Sie die Änderungen an diesem Datensatz speichern?"},
    {45, "SMTP Error", "The following SMTP Error occurred: %Message ", "SMTP Fehler",
     "Der folgende SMTP Fehler trat auf: %Message "},
    {23, "Invalid Request", "This form cannot be used to insert a record", "Invalid Request",
     "This form cannot be used to insert a record"},
    {41, "Invalid Request", "This form cannot be used to update a record", "Invalid Request",
     "This form cannot be used to update a record"},
};

const ErrorMessage *findIn(std::span<const ErrorMessage> table, int number)
{
    for (const ErrorMessage &entry : table) {
        if (entry.number == number)
            return &entry;
    }
    return nullptr;
}

// Answers messages from a script and installs an exit hook that only records the code.
class ErrorClassMessages : public ::testing::Test {
  protected:
    void SetUp() override
    {
        Messages::setExitHook([this](int code) { m_exitCodes.push_back(code); });
        m_errors.init(QStringLiteral("English"));
    }
    void TearDown() override { Messages::setExitHook({}); }

    test::ScriptedMessages m_handler;
    std::vector<int> m_exitCodes;
    ErrorClass m_errors;
};

} // namespace

TEST(ErrorMessageTables, HoldEveryNumberWithItsSeverityInOrder)
{
    for (const auto &table : {germanErrorMessages(), englishErrorMessages()}) {
        ASSERT_EQ(table.size(), kNumbers.size());
        for (std::size_t i = 0; i < kNumbers.size(); ++i) {
            EXPECT_EQ(table[i].number, kNumbers[i].first) << "row " << i;
            EXPECT_EQ(static_cast<int>(table[i].severity), kNumbers[i].second) << "row " << i;
            EXPECT_STRNE(table[i].title, "") << table[i].number;
            EXPECT_STRNE(table[i].text, "") << table[i].number;
        }
    }
}

TEST(ErrorMessageTables, TellingEntriesAreVerbatim)
{
    for (const Telling &t : kTelling) {
        const ErrorMessage *english = findIn(englishErrorMessages(), t.number);
        const ErrorMessage *german = findIn(germanErrorMessages(), t.number);
        ASSERT_TRUE(english && german) << t.number;
        EXPECT_STREQ(english->title, t.englishTitle) << t.number;
        EXPECT_STREQ(english->text, t.englishText) << t.number;
        EXPECT_STREQ(german->title, t.germanTitle) << t.number;
        EXPECT_STREQ(german->text, t.germanText) << t.number;
    }
}

TEST(ErrorMessageTables, GermanKeepsEnglishOnlyForTheListedNumbers)
{
    for (const ErrorMessage &german : germanErrorMessages()) {
        const ErrorMessage *english = findIn(englishErrorMessages(), german.number);
        ASSERT_NE(english, nullptr);
        if (kGermanKeepsEnglish.count(german.number)) {
            EXPECT_STREQ(german.title, english->title) << german.number;
            EXPECT_STREQ(german.text, english->text) << german.number;
        } else {
            EXPECT_STRNE(german.text, english->text) << german.number;
        }
    }
}

TEST(ErrorClass, InitChoosesTheTableByTheClippedLanguage)
{
    ErrorClass errors;
    EXPECT_EQ(errors.messageTitle(10), QStringLiteral("Abbruch")); // before init: German

    const std::pair<const char *, bool> cases[] = {
        {"Deutsch", true}, {"Deutsch   ", true}, {"English", false}, {"English (UK)", false},
        {"", false},       {"deutsch", false},   {"Deutsch", true}, // back from English
    };
    for (const auto &[language, german] : cases) {
        errors.init(QString::fromUtf8(language));
        EXPECT_EQ(errors.entries().size(), kNumbers.size()) << language;
        EXPECT_EQ(errors.messageTitle(10),
                  german ? QStringLiteral("Abbruch") : QStringLiteral("Changes will be lost!"))
            << language;
        EXPECT_EQ(errors.find(11)->severity, ErrorSeverity::Question) << language;
    }
}

TEST(ErrorClass, FillsPlaceholdersOnceWithoutRereadingValues)
{
    ErrorClass errors;
    errors.init(QStringLiteral("English"));
    errors.setFile(QStringLiteral("Bugs"));
    errors.setKey(QStringLiteral("BUG:KeyID"));
    errors.setErrorText(QStringLiteral("Record Already Exists"), 40);
    EXPECT_EQ(errors.messageText(35),
              QStringLiteral("Attempts to automatically number this record have failed.|File: Bugs|Key: "
                             "BUG:KeyID|Error: Record Already Exists (40).|Try Again?"));

    errors.setField(QStringLiteral("PRN:JPEGQuality"));
    errors.setMessage(QStringLiteral("0 .. 100 %File"));
    EXPECT_EQ(errors.messageText(18),
              QStringLiteral("The value of PRN:JPEGQuality must be in range 0 .. 100 %File."));

    errors.setErrorText(QStringLiteral("Access Denied"));
    EXPECT_EQ(errors.errorText(), QStringLiteral("Access Denied"));
    errors.setError(makeError(5, QString()));
    EXPECT_EQ(errors.errorText(), QStringLiteral("5"));
}

TEST_F(ErrorClassMessages, NoticeIsShownOnceWithTitleAndFilledText)
{
    EXPECT_EQ(m_errors.throwMessage(15, QStringLiteral("Bug ID")), Button::Ok);
    ASSERT_EQ(m_handler.requests().size(), 1u);
    const MessageRequest shown = m_handler.requests().front();
    EXPECT_EQ(shown.title, QStringLiteral("Duplicate Key Error"));
    EXPECT_EQ(shown.text, QStringLiteral("Adding this record creates a duplicate entry for the key: Bug ID"));
    EXPECT_EQ(shown.buttons, Button::Ok);
    EXPECT_TRUE(m_exitCodes.empty());
}

TEST_F(ErrorClassMessages, QuestionReturnsTheAnswer)
{
    for (int answer : {Button::Yes, Button::No, Button::Cancel})
        m_handler.answer(answer);
    EXPECT_EQ(m_errors.throwError(11), Button::Yes);
    EXPECT_EQ(m_errors.throwError(10), Button::No);
    EXPECT_EQ(m_errors.throwError(38), Button::No); // closing the box is no consent
    for (const MessageRequest &shown : m_handler.requests()) {
        EXPECT_EQ(shown.buttons, Button::Yes | Button::No);
        EXPECT_EQ(shown.icon, MessageIcon::Question);
    }
}

TEST_F(ErrorClassMessages, FatalErrorEndsTheProgram)
{
    m_errors.setErrorText(QStringLiteral("Access Denied"), 5);
    m_errors.throwFile(26, QStringLiteral("Customer"));
    ASSERT_EQ(m_handler.requests().size(), 1u);
    EXPECT_EQ(m_handler.requests().front().text,
              QStringLiteral("File Customer could not be opened.  Error: Access Denied (5)."
                             "  Press OK to end this application"));
    EXPECT_EQ(m_exitCodes, std::vector<int>{1});
}

TEST_F(ErrorClassMessages, UnknownNumberShowsAGenericMessage)
{
    m_errors.pushProcedureName(QStringLiteral("BrowseBugs"));
    m_errors.pushProcedureName(QStringLiteral("UpdateBugs"));
    m_errors.popProcedureName();
    EXPECT_EQ(m_errors.throwMessage(999, QStringLiteral("details")), Button::Ok);
    ASSERT_EQ(m_handler.requests().size(), 1u);
    EXPECT_EQ(m_handler.requests().front().text,
              QStringLiteral("An error occurred (message 999).|details|Procedure: BrowseBugs"));
    EXPECT_TRUE(m_exitCodes.empty());
    m_errors.popProcedureName();
    m_errors.popProcedureName(); // popping an empty stack is harmless
    EXPECT_TRUE(m_errors.procedureName().isEmpty());
}

TEST(ErrorClass, EachThreadKeepsItsOwnLanguageAndDetails)
{
    QString german;
    QString english;
    std::thread first([&german] {
        ErrorClass errors;
        errors.init(QStringLiteral("Deutsch"));
        errors.setFile(QStringLiteral("Bugs"));
        german = errors.messageText(7);
    });
    std::thread second([&english] {
        ErrorClass errors;
        errors.init(QStringLiteral("English"));
        errors.setFile(QStringLiteral("Notes"));
        english = errors.messageText(7);
    });
    first.join();
    second.join();
    EXPECT_EQ(german, QStringLiteral("Die Datei \"Bugs\" ist nicht geöffnet."));
    EXPECT_EQ(english, QStringLiteral("The file Notes is not open."));
}
