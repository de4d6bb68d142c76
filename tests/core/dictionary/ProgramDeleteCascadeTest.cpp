#include "TarvoStoreTest.h"

namespace tarvo::test {

namespace {

// Rows that belong to a program, found again by their linking fields.
struct OwnedRows {
    QString label;
    FieldList where;
};

struct ProgramData {
    qint64 program = 0;
    qint64 issue = 0;
    std::vector<OwnedRows> rows;
};

} // namespace

class ProgramDeleteCascadeTest : public TarvoStoreTest {
  protected:
    // A program with one issue carrying every kind of issue data, and every kind of program
    // data beside it.
    ProgramData addProgramWithData(const QString &name, qint64 customer)
    {
        ProgramData data;
        std::vector<OwnedRows> &rows = data.rows;
        const qint64 prg = add("Programs", {{"PrgName", name}}).integer("ID");
        rows.push_back({"Programs", {{"ID", prg}}});

        const qint64 bug = add("Bugs", {{"PrgID", prg}, {"Description", name}}).integer("ID");
        rows.push_back({"Bugs", {{"ID", bug}}});
        add("History", {{"ID", bug}, {"FIELD", "BUG:Status"}, {"DATE", 80000}});
        rows.push_back({"History", {{"ID", bug}}});
        add("Notes", {{"ID", bug}, {"CreatedDate", 80000}, {"Note", "issue note"}});
        rows.push_back({"Notes", {{"ID", bug}}});
        add("BugsResponsible", {{"ID", bug}, {"RESPONSIBLE", "ABC"}});
        rows.push_back({"BugsResponsible", {{"ID", bug}}});
        add("EMails", {{"ID", bug}, {"Type", 0}, {"DateSend", 80000}});
        rows.push_back({"EMails", {{"ID", bug}, {"Type", 0}}});
        const qint64 issueAtt =
            add("Attachments", {{"BUGID", bug}, {"PrgID", prg}, {"Description", "log"}}).integer("ID");
        add("AttachmentFiles", {{"ID", issueAtt}, {"ATTACHEDFILE", QByteArray("issue file")}});
        rows.push_back({"Attachments", {{"ID", issueAtt}}});
        rows.push_back({"AttachmentFiles", {{"ID", issueAtt}}});

        const qint64 web = add("WebLinks", {{"PrgID", prg}, {"Description", name}}).integer("ID");
        rows.push_back({"WebLinks", {{"ID", web}}});
        const qint64 prgAtt = add("Attachments", {{"PrgID", prg}, {"Description", "manual"}}).integer("ID");
        add("AttachmentFiles", {{"ID", prgAtt}, {"ATTACHEDFILE", QByteArray("program file")}});
        rows.push_back({"Attachments", {{"ID", prgAtt}}});
        rows.push_back({"AttachmentFiles", {{"ID", prgAtt}}});
        add("CustomerPrograms", {{"ID", customer}, {"PrgID", prg}, {"PurchasedDate", 80000}});
        rows.push_back({"CustomerPrograms", {{"PrgID", prg}}});
        add("Notes", {{"ID", 0}, {"PrgID", prg}, {"Note", "program note"}});
        rows.push_back({"Notes", {{"PrgID", prg}}});
        const std::vector<std::pair<QString, QString>> perProgram = {
            {"Programfiles", "FILE"}, {"Classification", "CLASSIFICATION"},
            {"Severity", "SEVERITY"}, {"Status", "STATUS"},
            {"Releases", "Release"},
        };
        for (const auto &[label, text] : perProgram) {
            add(label, {{"PrgID", prg}, {text, name}});
            rows.push_back({label, {{"PrgID", prg}}});
        }
        data.program = prg;
        data.issue = bug;
        return data;
    }
};
TARVO_REAL_STORE_SUITE(ProgramDeleteCascadeTest);

TEST_P(ProgramDeleteCascadeTest, DeletesEverythingOfTheProgramButItsSubprogramsAndOtherPrograms)
{
    const qint64 customer = add("Customer", {{"Searchname", "Buyer"}}).integer("ID");
    const ProgramData doomed = addProgramWithData("Doomed", customer);
    const ProgramData kept = addProgramWithData("Kept", customer);
    const qint64 child = add("Programs", {{"PrgName", "Sub"}, {"P", doomed.program}}).integer("ID");
    // A mass e-mail's mail that carries the number of the doomed issue.
    add("EMails", {{"ID", doomed.issue}, {"Type", 99}, {"DateSend", 80000}});

    removeWithRules("Programs", {{"ID", doomed.program}});

    EXPECT_TRUE(m_errors.errors.empty());
    for (const OwnedRows &rows : doomed.rows)
        EXPECT_EQ(count(rows.label, rows.where), 0) << rows.label.toStdString();
    for (const OwnedRows &rows : kept.rows)
        EXPECT_EQ(count(rows.label, rows.where), 1) << rows.label.toStdString();
    EXPECT_EQ(count("Programs", {{"ID", child}, {"P", doomed.program}}), 1);
    EXPECT_EQ(count("Customer"), 1);
    EXPECT_EQ(count("EMails", {{"ID", doomed.issue}, {"Type", 99}}), 1);
}

} // namespace tarvo::test
