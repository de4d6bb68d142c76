#include "platform/runtime/ErrorMessages.h"

#include <iterator>

namespace tarvo {

namespace {

constexpr ErrorSeverity Q = ErrorSeverity::Question;
constexpr ErrorSeverity P = ErrorSeverity::Program;
constexpr ErrorSeverity F = ErrorSeverity::Fatal;
constexpr ErrorSeverity N = ErrorSeverity::Notice;

constexpr ErrorMessage kEnglish[] = {
    {30, N, "Invalid Key", "%File key file is invalid. Key must be rebuilt."},
    {29, F, "Key was not built", "Error: (%ErrorText) repairing key for %File."},
    {12, F, "File Creation Error", "Error: (%ErrorText) creating %File."},
    {27, N, "Record Retrieval Error", "Error: (%ErrorText) reading a record from %File."},
    {19, N, "Invalid Value", "The value of %Field must be one of: %Message."},
    {20, N, "Invalid Value", "The value of %Field does not match any entry of %File."},
    {18, N, "Range Error", "The value of %Field must be in range %Message."},
    {16, N, "Required Field", "A value for %Field is required."},
    {34, N, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from change "
     "and have been reset to original values."},
    {33, N, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these "
     "references exist."},
    {4, N, "Record Not Found", "No matching record was found in %File."},
    {7, N, "File Not Open", "The file %File is not open."},
    {8, N, "Record Not Added", "Error: (%ErrorText) adding a record to %File."},
    {37, Q, "Save Failed", "Error: (%ErrorText) writing a record to %File.|Try Again?"},
    {36, Q, "Delete Failed", "Error: (%ErrorText) deleting a record from %File.|Try Again?"},
    {23, N, "Invalid Request", "This form cannot be used to insert a record"},
    {41, N, "Invalid Request", "This form cannot be used to update a record"},
    {14, N, "Invalid Request", "This form cannot be used to delete a record"},
    {10, Q, "Changes will be lost!", "Are you sure you want to cancel?"},
    {15, N, "Duplicate Key Error", "Adding this record creates a duplicate entry for the key: %Message"},
    {35, Q, "Auto Increment Error",
     "Attempts to automatically number this record have failed.|File: %File|Key: %Key|Error: "
     "%ErrorText.|Try Again?"},
    {21, N, "Record Not Updated", "Error: (%ErrorText) updating a record in %File."},
    {39, Q, "Record Changed by Another User",
     "This record was changed by another user after you started editing it.|Do you want to reload it? "
     "Your changes will be lost."},
    {40, Q, "Record Deleted by Another User",
     "This record was deleted by another user after you started editing it.|Do you want to add it "
     "again with your changes?"},
    {6, N, "Record Not Deleted", "Error: (%ErrorText) deleting a record from %File."},
    {26, F, "File Access Error", "File %File could not be opened.  Error: %ErrorText."},
    {28, N, "File Close Error", "Error: (%ErrorText) closing %File."},
    {13, N, "File Lock Error", "Error: (%ErrorText) locking %File."},
    {11, Q, "Confirm Delete", "Are you sure you want to delete the highlighted record?"},
    {38, Q, "Save Record", "Do you want to save the changes to this record?"},
    {24, N, "Reading Stopped", "Reading %File was stopped before all records were read."},
    {1, N, "No Records", "There are no records in %File."},
    {43, N, "Record Held", "This record of %File is being edited by another user.|Please try again later."},
    {3, Q, "File In Use", "%File is in use by another user.  Error: %ErrorText.|Try Again?"},
    {31, N, "View Error", "Error: (%ErrorText) preparing the list of %File."},
    {5, N, "Field Not In File", "%Field is not a field of %File."},
    {17, N, "Invalid Entry", "The entry for %Field is not valid: %Message"},
    {25, N, "Unknown Key", "The key %Key does not belong to %File."},
    {2, N, "Access Denied", "Could not get write access to %File so trying read-only."},
    {42, P, "Program Error", "The program made a request that cannot be served: %Message"},
    {44, N, "Network Error", "The following network error occurred: %Message"},
    {45, N, "SMTP Error", "The following SMTP Error occurred: %Message "},
    {46, N, "EMail Error", "The EMail could not be sent: %Message"},
    {47, N, "Connection Error", "No connection could be made to %Message."},
    {49, F, "Transaction Error", "Error: (%ErrorText) starting a transaction on %File."},
    {22, F, "Commit Error", "Error: (%ErrorText) committing the changes to %File."},
    {51, F, "Rollback Error", "Error: (%ErrorText) rolling back the changes to %File."},
    {50, F, "Memory Error", "There is not enough memory to continue."},
    {48, F, "Internal Error", "An internal error occurred: %Message"},
    {52, N, "Database Error", "Error: (%ErrorText) accessing %File."},
    {53, N, "Information", "%Message"},
    {9, N, "File Not Found", "The file %File could not be found."},
};

// Entries that have no German wording of their own repeat the English one (see kEnglish).
constexpr ErrorMessage kGerman[] = {
    {30, N, "Ungültiger Schlüssel", "Die Schlüssel der Datei \"%File\" müssen neu aufgebaut werden."},
    {29, F, "Schlüssel nicht aufgebaut",
     "Fehler (%ErrorText) beim Reparieren der Schlüssel für Datei %File."},
    {12, F, "Datei nicht erzeugt", "Fehler (%ErrorText) beim Erzeugen der Datei %File."},
    kEnglish[3],
    {19, N, "Ungültiger Wert", "Der Wert des Feldes \"%Field\" muss einer der folgenden sein: %Message."},
    {20, N, "Ungültiger Wert", "Der Wert des Feldes \"%Field\" ist in der Datei \"%File\" nicht vorhanden."},
    {18, N, "Bereichsfehler", "Der Wert des Feldes \"%Field\" muß zwischen \"%Message\" liegen."},
    {16, N, "Pflichtfeld", "Das Feld \"%Field\" muss ausgefüllt werden."},
    kEnglish[8],
    kEnglish[9],
    {4, N, "Datensatz nicht gefunden", "In der Datei \"%File\" wurde kein passender Datensatz gefunden."},
    {7, N, "Datei nicht geöffnet", "Die Datei \"%File\" ist nicht geöffnet."},
    {8, N, "Datensatz nicht eingefügt",
     "Fehler (%ErrorText) beim Einfügen eines Datensatzes in die Datei %File."},
    {37, Q, "Speichern fehlgeschlagen",
     "Fehler (%ErrorText) beim Schreiben eines Datensatzes in die Datei %File.||Noch einmal versuchen?"},
    {36, Q, "Löschen fehlgeschlagen",
     "Fehler (%ErrorText) beim Löschen eines Datensatzes aus der Datei %File.||Noch einmal versuchen?"},
    kEnglish[15],
    kEnglish[16],
    kEnglish[17],
    {10, Q, "Abbruch", "Sind Sie sicher, dass Sie abbrechen möchten?"},
    {15, N, "Doppelter Schlüssel", "Einfügen dieses Datensatzes erzeugt einen doppelten Schlüssel: %Message"},
    {35, Q, "Automatische Nummerierung",
     "Versuche diesen Datensatz automatisch zu nummerieren schlugen fehl.|Datei: %File|Schlüssel: "
     "%Key|Fehler: %ErrorText||Noch einmal versuchen?"},
    {21, N, "Datensatz nicht geändert",
     "Fehler (%ErrorText) beim Ändern eines Datensatzes in der Datei %File."},
    kEnglish[22],
    kEnglish[23],
    {6, N, "Datensatz nicht gelöscht",
     "Fehler (%ErrorText) beim Löschen eines Datensatzes aus der Datei %File."},
    {26, F, "Datei Zugriffsfehler", "Die Datei \"%File\" konnte nicht geöffnet werden.|Fehler: %ErrorText"},
    {28, N, "Datei nicht geschlossen", "Fehler (%ErrorText) beim Schließen der Datei %File."},
    {13, N, "Datei nicht gesperrt", "Fehler (%ErrorText) beim Sperren der Datei %File."},
    {11, Q, "Löschen bestätigen...", "Sind Sie sicher, dass Sie diesen Datensatz löschen möchten?"},
    {38, Q, "Speichern", "Möchten Sie die Änderungen an diesem Datensatz speichern?"},
    {24, N, "Lesen abgebrochen",
     "Das Lesen der Datei \"%File\" wurde abgebrochen, bevor alle Datensätze gelesen waren."},
    {1, N, "Keine Datensätze", "Die Datei \"%File\" enthält keine Datensätze."},
    {43, N, "Datensatz gesperrt",
     "Dieser Datensatz der Datei \"%File\" wird gerade von einem anderen Benutzer bearbeitet.|Bitte "
     "versuchen Sie es später noch einmal."},
    kEnglish[33],
    kEnglish[34],
    kEnglish[35],
    {17, N, "Ungültige Eingabe", "Die Eingabe im Feld \"%Field\" ist ungültig: %Message"},
    kEnglish[37],
    {2, N, "Zugriff verweigert",
     "Konnte die Datei \"%File\" nicht zum Schreiben öffnen. Sie wird im Nur-Lese-Zugriff geöffnet."},
    kEnglish[39],
    kEnglish[40],
    {45, N, "SMTP Fehler", "Der folgende SMTP Fehler trat auf: %Message "},
    kEnglish[42],
    kEnglish[43],
    kEnglish[44],
    kEnglish[45],
    kEnglish[46],
    kEnglish[47],
    kEnglish[48],
    kEnglish[49],
    kEnglish[50],
    kEnglish[51],
};

constexpr bool tablesMatch()
{
    if (std::size(kEnglish) != std::size(kGerman))
        return false;
    for (std::size_t i = 0; i < std::size(kEnglish); ++i) {
        if (kEnglish[i].number != kGerman[i].number || kEnglish[i].severity != kGerman[i].severity)
            return false;
    }
    return true;
}
static_assert(tablesMatch(), "both message tables hold the same numbers and severities in one order");

} // namespace

std::span<const ErrorMessage> germanErrorMessages()
{
    return kGerman;
}

std::span<const ErrorMessage> englishErrorMessages()
{
    return kEnglish;
}

} // namespace tarvo
