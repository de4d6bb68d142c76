#pragma once

#include <QString>

#include <vector>

namespace tarvo::core {

class CorrectionRun;

// One numbered correction of the stored data, as HotKeys records it.
struct Correction final {
    int number;
    QString description;  // HOT:DESC; empty for the one that runs every time
    int year, month, day; // HOT:DATE: the day the correction was introduced
    QString progressText;
};

// The status-sort correction has no HotKeys record: it runs at every conversion.
constexpr int kStatusSortCorrection = 999999;

// Every correction in the order the conversion takes them.
const std::vector<Correction> &corrections();
// The correction of that number; null for an unknown number.
const Correction *findCorrection(int number);

// Carries out the correction of that number (sets the progress total and counts its records).
void runCorrection(int number, CorrectionRun &run);

// The corrections themselves.
void correctMultiLevelTree(CorrectionRun &run);        // 9
void addAttachmentSheetReport(CorrectionRun &run);     // 10
void primeFunctionList(CorrectionRun &run);            // 11
void correctStatusSort(CorrectionRun &run);            // 999999
void correctSeveritySort(CorrectionRun &run);          // 12
void correctClassificationSort(CorrectionRun &run);    // 13
void correctAllResponsiblePersons(CorrectionRun &run); // 14
void primeCustomerSources(CorrectionRun &run);         // 15

} // namespace tarvo::core
