#include "platform/runtime/Translator.h"

#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>
#include <utility>

using namespace tarvo;

namespace {

// The English keys in table order, as the interface's windows use them.
const char *const kKeys =
    "Enable Workflow; Assign Issues; Require to Assign Issue when added; "
    "Allow to Assign Issue when added; Do not allow to Assign Issue when added; "
    "Allow modifications before Assignment; Close Issues; Automatically Close Issue when resolved; "
    "Automatically Close Issue when verified; Do not automatically Close Issue; "
    "Prompt before closing Issue; Workflow is enabled.; "
    "These are the available entries for the Status field:; Did you know ...; Show Tips on Start-Up; "
    "Previous Tip; Next Tip; Add Severity...; Change Severity...; Add Classification...; "
    "Change Classification...; Add Reproducible...; Change Reproducible...; Add Contract Type...; "
    "Change Contract Type...; Add Resolution...; Change Resolution...; Add Description...; "
    "Change Description...; Custom fields; Enable; Length:; Lines:; Character set:; Colors; "
    "Color Mode (Bugs Browser); Color by Status; Color by Priority; "
    "Always use the same color (Black); "
    "Note: You have to select \"Color by Status\" in the \"User Settings\" to use colors.; "
    "Note: You have to select \"Color by Priority\" in the \"User Settings\" to use colors.; Color:; "
    "Color used for displaying \"filled tabs\"; Add Responsible...; Change Responsible...; "
    "Function:; Function; Also Responsible:; Checking file structures for necessary conversions...; "
    "This window will automatically close when finished file conversions!; New; Assigned; Postponed; "
    "Investigated; Resolved; Verified; Failed; Closed; Do you want to close this; now?; Undo Query; "
    "records; record; marked.; Are you sure you want to generate the release notes?; "
    "Release Notes Generation stopped due to an error.; Release Notes Generation successful.; "
    "records written.; &Generate Release Notes; Generate Release Notes; Release Notes Generation; "
    "Generate Release Notes for...; &Generate; Add Release Notes File...; "
    "Change Release Notes File...; Additional Text; Latest Release; All Releases; Output File:; "
    "Append to File; File Header:; Group Header:; Group Footer:; File Footer:; Since Rel.; "
    "Since Version:; Direction; Direction:; Mr.|Mrs.|Ms.|Miss|Company; Company; Company:; Releases; "
    "Release; Printer; Preview; File; Printer|Preview|File|HTML|MHTML|RTF|JPEG|BMP|EMF|PDF; "
    "For each page one export file will be generated. Therefore the filename will only be used for the 1st "
    "page. All other pages will be named using the filename plus a unique number at the end.; "
    "Address; Address:; Contacts; Department:; Add Contact...; Change Contact...; Tarvo on the web; "
    "&Programs; Type; Output; Output to:; Move report up; Move report down; "
    "Duplicate selected report; Filename:; Printer Setup Dialog before printing; Silent output; "
    "Open output file with attached program; Report Type; List; Card; Label; Choose file...; "
    "HTML-Title:; JPEG-Quality:; Output all pages to one file; Send this report as an EMail; "
    "Add Report...; Change Report...; Please specify a new filename for the new report.; Current:; "
    "New:; Note:; Note; Go to First Record; Go to Prior Page; Go to Prior Record; Go to Next Record; "
    "Go to Next Page; Go to Last Record; Select Record; Insert Record; Change Record; Delete Record; "
    "Attachment has been changed!|Do you want to save the changes?; &Edit; Cut\tCtrl+X; "
    "Copy\tCtrl+C; Paste\tCtrl+V; Paste from clipboard; Temporary Path; "
    "Path for temporary creation of files:; EMail Profile; Use default EMail Profile; "
    "Always use the following EMail Profile; "
    "...this is the position the cursor should be placed after the text is inserted; User Settings; "
    "&User Settings; "
    "The variable ^C^ is missing in the Date & Time Stamp text!||Please do the necessary changes in the; "
    "Select Path...; Date && Time Stamp; Date & Time Stamp; "
    "Text to insert by pressing the Date && Time Stamp:; Available variables; ...the actual date; "
    "...the actual time; ...the initials of the person who is currently logged in; "
    "You have to enter your EMail address!; You have to enter an EMail text!; "
    "Thanks. Your feedback was sent successfully!; Please first select a program to add records to!; "
    "Only .HTML .PDF .ICO .BMP .GIF .JPG .WMF .PCX .PNG .TXT files can be previewed!; "
    "No program is associated with this file type. Please specify a file type for; Preview; "
    "Preview Options; Stretched; Centered; Tiled; Select Attachment...; Open Attachment; "
    "Save Attachment; No matching records found!; Textsearch; Text to search for:; Case Insensitive; "
    "(All text fields, including memos, will be searched); Available files; Repair; &Rebuild; File:; "
    "Size:; No. records:; Building keys...; Created by; Changed by; at; "
    "monthly|quarterly|half-yearly|yearly; Insert; Change; Override button text; Delete; "
    "Refresh Node; Refresh Tree; Explode All; Collapse All; Explode Node; Collapse Node; Programs; "
    "Programfiles; &Change Password; &About Tarvo...; &Browse; &Cancel; Cascade; &Insert; &Change; "
    "&Delete; &Close; &Contents; &Copy; &Customer; Customer; Customer:; Customers; &Exit; &File; "
    "&Help; &Options; &Output...; &Path...; &Print; &Rearrange; &Repair database; Repair database; "
    "&Security-System; &Select; &Send feedback; Send Feedback; Tool&bars; &Window; Street:; "
    "Addressbook; All; Arrange icons; Ask before sending EMail Notification; Language:; Attachment; "
    "Attachments; Attachment:; Add Attachment...; Change Attachment...; Available fields; "
    "Bug-Reports; Calendar; Call number; Call phone number; Category; Add Bug...; Change Bug...; "
    "View Bug...; Add Feature...; Change Feature...; View Feature...; Add Support...; "
    "Change Support...; View Support...; Add To-Do...; Change To-Do...; View To-Do...; "
    "Add Customer program...; Change Customer program...; Add Customer...; Change Customer...; "
    "Add EMail Notification...; Change EMail Notification...; Add EMail template...; "
    "Change EMail template...; Add Program...; Change Program...; Add Programfile...; "
    "Change Programfile...; Add Release...; Change Release...; Add Status...; Change Status...; "
    "Add field config...; Change field config...; Choose import type; Classification; "
    "Classification:; Firstname:; Contract type; Contract types; Currency:; Lastname:; City:; "
    "State:; Zip:; Province:; Country:; Phone:; Mobile:; DBF file; Date; Date due:; Default value; "
    "Default value:; Description; Description:; Notify...; Event:; Value:; Value; "
    "Disable question to insert unknown version; Display color for non-variable data; "
    "Display fixed records; EMail &Notification; EMail &Templates; EMail Notification; "
    "EMail Templates; Enable automatic EMail Notification; "
    "Enable automatic EMail Notification for Mass Updates; End:; Est. Time:; Event; Exit program; "
    "Feature; Feature-Requests; Field; Field:; Fields; First field in update window:; Firstname; "
    "Fixed; Fixed by:; Fixed date:; Completed; Completed by:; Completed at:; Fixed in Ver.:; "
    "General; Gray-out this Status in the bugs browser; Help; "
    "Here you can specify entries for the Status field for this program.; "
    "Here you can specify entries for the Severity field for this program.; "
    "Here you can specify entries for the Classification field for this program.; Identifier:; "
    "Initials; Internal Information; Lastname; Lastname/Company; Lic.; Network; Network Type:; "
    "Notes; Notes:; Operating System; Operating System:; Options; Owner:; Path; Phone; Priority; "
    "Priority:; Program; Program:; Programfile; Programfile:; Programs; Properties; Purchased; "
    "Recipient; Recipients; Release:; Release date:; Report Date; Reported bugs, ...; Reported by; "
    "Reported by:; Reporter Information; Reproducible; Reproducible:; Required; "
    "Reset &window positions; Resolution; Resolution:; Responsible:; Resp.:; Sales:; "
    "Search records for text...; Security System; Security Users; Select Template...; "
    "Select field...; Send &Feedback; Send EMail; Send by; Sender EMail:; Sent EMails; Set Status; "
    "SetStatus; Severity; Severity:; Show only records that I am responsible for; "
    "Show only tagged records; Start:; Steps to fix; Steps to recreate; Subject; Subject:; "
    "Support-Requests; Surf the web; TPS file; Tag / Untag record; Tag all records; Template; "
    "Template:; The entries entered in the Options will also be available for selection.; "
    "Tile horizontally; Tile vertically; Time; Time taken:; To...; Untag all records; Used Time; "
    "Used Version:; Used:; Valid from; Valid to; Verified; Verified By:; Verified date:; Web; Web:; "
    "at:; fixed; fixed/verified; hours; in process; irreproducible; new; Purchase Information; "
    "Date:; Licenses:; Support Contract; Type:; Valid from:; to:; Price:; Price; "
    "Please specify the path where your data should reside.; Path:; "
    "Your feedback is very important to improve Tarvo´s functionality. If there are some features missing or "
    "you´ve got ideas to enhance existing features, please use the following form to tell us.; "
    "Save Record; Filter active!; Void Query; Query:; Allow modifications to generated EMail; "
    "Attach file...; The record is entered.; The record has changed.; The record is deleted.; "
    "The value for the field \"; \" has changed.; Do you want to send the following EMail now?; "
    "Don't send EMail; Cancel; To:; <blank>; Verification; Testing Plan; Verification Results; "
    "Minimize to System Tray; Copy here|Move here|-|Cancel; Conditionally...; "
    "...fill in other fields; ...setup fields as required; equals to...; Condition:; "
    "These fields are setup as required or will be filled with the specified value:; "
    "You have to tag the records that should be printed.; Program:; "
    "To automatically generate a registration code you have to enter the link to your program that will do "
    "this. Use the button \"Select field...\" to pass parameters.; "
    "Void Filters...; The following filters are currently active.; Void &All; &Void; Add Note...; "
    "Change Note...; Note for; Notes; Edit \"Status\" entries; "
    "The attachment is too large!|Attachments can have a max. size of 16MB!; Window customization; "
    "Overwrite prompt \"Identifier:\":; "
    "Are you sure you want to delete this program?||All corresponding sub-programs, releases, bugs, ... will "
    "also be deleted.; "
    "Low; High; Message sent from; Send EMails using ...; "
    "No additional settings are required. Your standard mail client will be used.; Connect to...; "
    "Settings; Miscellaneous; History; Old Contents; New Contents; Record added; "
    "Remove original file after archiving; Are you sure you want to send this Mass EMail?; "
    "No EMails were sent!|There are no valid recipients.; EMails were sent.; "
    "You have to select the recipients.; Are you sure you want to resend this EMail?; Mass EMails; "
    "&Mass EMails; &Send; Add Mass EMail...; Change Mass EMail...; Generate Mass EMails for...; "
    "Send to all related customers; &Resend; Sending Mass EMails...; "
    "Mass EMails\r\n(Newsletters, Update notifications, ...); Internal Users; "
    "This program file already exists!; This release already exists!; Original Size; Size to Width; "
    "Add Web Link...; Change Web Link...; Folder; User Name:; Password:; Follow Link; Move Up; "
    "Move Down; Additional functions; Insert at...; Beginning of Text field; End of Text field; "
    "Allow multiple sort orders to be applied; Apply sort orders in reverse order; Resolution:; "
    "Color Depth:; b/w|256 Colors|24bit|32bit; Font Embedding:; "
    "Use True Types|Embed True Types|Only embed Symbols|Use Post Script|Only embed character set|Only embed "
    "used subset; "
    "This record is locked because someone else is editing it!||It will be opened in view-only mode.; "
    "&Duplicate; Available Recipients; Duplicate selected Mass EMail; Copy of; Mass Update; of; "
    "&Key Features; Automatically minimize Tarvo after Start-Up; "
    "Should all related bugs, feature-requests, support-requests and to-do's also be deleted?; "
    "Confirm Delete; Duplicating Bugs; The following tabs will be duplicated; "
    "Force selection (no manual entry); Show &Map; Search:; Searchname:; Searchname; Location:; "
    "Source:; Sources; Last Contact:; &Documentation; Exclude from Mass Update";

QStringList expectedKeys()
{
    return QString::fromUtf8(kKeys).split(QStringLiteral("; "));
}

// A translator with the program's table, apart from the process-wide one.
const Translator &german()
{
    static const Translator translator = [] {
        Translator t;
        t.addTable();
        return t;
    }();
    return translator;
}

int accelerators(const QString &text)
{
    return QString(text).remove(QStringLiteral("&&")).count(QLatin1Char('&'));
}

} // namespace

TEST(TranslationTable, HoldsEveryKeyInOrderFollowedByTheSlogans)
{
    const QStringList keys = expectedKeys();
    const auto table = translationTable();
    ASSERT_EQ(table.size(), static_cast<std::size_t>(keys.size()) + 2);
    for (qsizetype i = 0; i < keys.size(); ++i)
        EXPECT_EQ(QString::fromUtf8(table[i].english), keys[i]) << "row " << i;
    EXPECT_STREQ(table[keys.size()].english, kProductSlogan);
    EXPECT_STREQ(table[keys.size() + 1].english, kFrameTitleWithSlogan);
}

TEST(TranslationTable, EveryRowHasAGermanTextThatFitsItsKey)
{
    QHash<QString, QString> first;
    for (const TranslationPair &pair : translationTable()) {
        const QString english = QString::fromUtf8(pair.english);
        const QString text = QString::fromUtf8(pair.german);
        EXPECT_FALSE(text.trimmed().isEmpty()) << pair.english;
        // A repeated key must not hide a different German text behind the first row.
        EXPECT_EQ(first.value(english, text), text) << pair.english;
        first.insert(english, text);
        EXPECT_EQ(text.count(QLatin1Char('|')), english.count(QLatin1Char('|'))) << pair.english;
        EXPECT_EQ(text.count(QStringLiteral("&&")), english.count(QStringLiteral("&&"))) << pair.english;
        EXPECT_EQ(accelerators(text), accelerators(english)) << pair.english;
        EXPECT_EQ(text.contains(QStringLiteral("\r\n")), english.contains(QStringLiteral("\r\n")))
            << pair.english;
        // Translating a window twice must not turn a German text into another one.
        EXPECT_EQ(german().translate(text), text) << pair.english;
    }
}

TEST(Translator, TranslatesExactKeysOnly)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Enable Workflow", "Workflow aktivieren"},
        {"Did you know ...", "Wussten Sie schon ..."},
        {"Show Tips on Start-Up", "Bei jedem Starten anzeigen"},
        {"&Insert", "&Einfügen"},
        {"&Change", "&Ändern"},
        {"&Delete", "&Löschen"},
        {"&Cancel", "&Abbruch"},
        {"Severity", "Art"},
        {"Add Severity...", "Art · Neuanlage"},
        {"Customers", "Kunden"},
        {"User Settings", "Benutzer-Einstellungen"},
        {"Exclude from Mass Update", "Für das Aktualisieren ausschließen"},
        {"Mass EMails\r\n(Newsletters, Update notifications, ...)",
         "Massen-EMails\r\n(Newsletter, Update-Benachrichtigungen, ...)"},
        {"&OK", "&OK"},
        {"Status", "Status"},
        {"", ""},
        {"customers", "customers"},
        {"Customers ", "Customers "},
        {"&Insert Record", "&Insert Record"},
    };
    for (const auto &[english, expected] : cases)
        EXPECT_EQ(german().translate(QString::fromUtf8(english)), QString::fromUtf8(expected)) << english;
}

TEST(Translator, LeavesEveryTextAloneWithoutATable)
{
    const Translator empty;
    EXPECT_FALSE(empty.hasTable());
    EXPECT_EQ(empty.translate(QStringLiteral("&Insert")), QStringLiteral("&Insert"));
    EXPECT_TRUE(german().hasTable());
}

TEST(Translator, GermanOnlyForTheClippedLanguageDeutsch)
{
    const std::pair<const char *, bool> cases[] = {
        {"Deutsch", true},  {"Deutsch    ", true}, {"English", false},
        {"deutsch", false}, {" Deutsch", false},   {"", false},
    };
    for (const auto &[language, expected] : cases)
        EXPECT_EQ(isGermanLanguage(QString::fromUtf8(language)), expected) << language;
}
