#include "masterdata/ui/options/ReferenceForm.h"

#include "platform/data/FileManager.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {

// What sets one table's form apart from the others.
struct Table {
    const char *procedure;
    const char *file;
    const char *textField;
    const char *caption;
    const char *noun;
    bool sorted;
    bool gray;
    bool color;
};

Table table(ReferenceKind kind)
{
    switch (kind) {
    case ReferenceKind::Status:
    case ReferenceKind::NoteStatus:
        return {"UpdateStatus", "Status", "STA:STATUS", "Status:", "Status", true, true, true};
    case ReferenceKind::ProgramStatus:
        return {"UpdateStatus", "Status", "STA:STATUS", "Status:", "Status", true, false, true};
    case ReferenceKind::Severity:
        return {"UpdateSeverity", "Severity", "SEV:SEVERITY", "Severity:", "Severity", true, false, false};
    case ReferenceKind::Classification:
        return {"UpdateClassification",
                "Classification",
                "CLA:CLASSIFICATION",
                "Class.:",
                "Classification",
                true,
                false,
                false};
    case ReferenceKind::Priority:
        return {"UpdatePriority", "Priority", "PRI:PRIORITY", "Priority:", "Priority", false, false, true};
    case ReferenceKind::Description:
        return {"UpdateDescription",
                "BugDesc",
                "BUD:DESCRIPTION",
                "Description:",
                "Description",
                false,
                false,
                false};
    case ReferenceKind::Resolution:
        return {"UpdateResolution",
                "Resolution",
                "RES:RESOLUTION",
                "Resolution:",
                "Resolution",
                false,
                false,
                false};
    case ReferenceKind::Reproducible:
        return {"UpdateReproducible",
                "Reproducible",
                "REP:REPRODUCIBLE",
                "Reproducible:",
                "Reproducible",
                false,
                false,
                false};
    case ReferenceKind::ContractType:
        return {"UpdateContractType",
                "ContractTypes",
                "CON:CONTRACTTYPE",
                "Type:",
                "Contract Type",
                false,
                false,
                false};
    }
    return {};
}

QString latin(const char *text)
{
    return QString::fromLatin1(text);
}

ReferenceForm::ColorChooser &colorChooser()
{
    static ReferenceForm::ColorChooser chooser;
    return chooser;
}

} // namespace

void ReferenceForm::setColorChooser(ColorChooser chooser)
{
    colorChooser() = std::move(chooser);
}

ReferenceForm::ReferenceForm(Context &context, data::Session &session, ReferenceKind kind, qint32 programId,
                             data::Record selected, qint64 after, QObject *parent)
    : UpdateForm(context, latin(table(kind).procedure), session, latin(table(kind).file), parent),
      m_kind(kind), m_selected(std::move(selected)), m_after(after)
{
    const Table t = table(kind);
    switch (kind) {
    case ReferenceKind::Status:
        m_sorted.emplace(session, SortedList::Kind::Status, programId);
        break;
    case ReferenceKind::ProgramStatus:
        m_sorted.emplace(session, SortedList::Kind::Status, ProgramStatusList);
        break;
    case ReferenceKind::NoteStatus:
        m_sorted.emplace(session, SortedList::Kind::Status, NoteStatusList);
        break;
    case ReferenceKind::Severity:
        m_sorted.emplace(session, SortedList::Kind::Severity, programId);
        break;
    case ReferenceKind::Classification:
        m_sorted.emplace(session, SortedList::Kind::Classification, programId);
        break;
    case ReferenceKind::Description:
        m_text.emplace(session, TextList::Kind::Descriptions);
        break;
    case ReferenceKind::Resolution:
        m_text.emplace(session, TextList::Kind::Resolution);
        break;
    case ReferenceKind::Reproducible:
        m_text.emplace(session, TextList::Kind::Reproducible);
        break;
    case ReferenceKind::ContractType:
        m_text.emplace(session, TextList::Kind::ContractTypes);
        break;
    case ReferenceKind::Priority:
        break;
    }

    auto *window = new QWidget;
    window->setMinimumWidth(kind == ReferenceKind::Description ? 520 : 360);
    auto *layout = new QVBoxLayout(window);
    auto *rows = new QFormLayout;
    auto *text = new QLineEdit;
    text->setObjectName(latin(t.textField).section(QLatin1Char(':'), 1));
    rows->addRow(latin(t.caption), text);
    field(latin(t.textField), text).required();
    if (kind == ReferenceKind::Priority) {
        auto *sort = new QSpinBox;
        sort->setObjectName(QStringLiteral("PRIORITYSORT"));
        sort->setRange(0, 255);
        rows->addRow(QStringLiteral("Sort:"), sort);
        field(QStringLiteral("PRI:PRIORITYSORT"), sort);
    }
    if (t.gray) {
        auto *gray = new QCheckBox(QStringLiteral("Gray-out this Status in the bugs browser"));
        gray->setObjectName(QStringLiteral("GRAY"));
        rows->addRow(gray);
        field(QStringLiteral("STA:GRAY"), gray);
    }
    if (t.color) {
        auto *colorRow = new QHBoxLayout;
        m_colorBox = new QLabel;
        m_colorBox->setObjectName(QStringLiteral("ColorBox"));
        m_colorBox->setFixedSize(60, 20);
        m_colorBox->setAutoFillBackground(true);
        auto *choose = new QPushButton(QStringLiteral("..."));
        choose->setObjectName(QStringLiteral("SelectColor"));
        colorRow->addWidget(m_colorBox);
        colorRow->addWidget(choose);
        colorRow->addStretch();
        rows->addRow(QStringLiteral("Color:"), colorRow);
        acceptOn(choose);
        if (t.gray || kind == ReferenceKind::Priority) {
            const QString by =
                kind == ReferenceKind::Priority ? QStringLiteral("Priority") : QStringLiteral("Status");
            auto *note = new QLabel(
                QStringLiteral(
                    "Note: You have to select \"Color by %1\" in the \"User Settings\" to use colors.")
                    .arg(by));
            note->setObjectName(QStringLiteral("ColorNote"));
            note->setWordWrap(true);
            rows->addRow(note);
        }
    }
    layout->addLayout(rows);
    auto *buttons = new QDialogButtonBox;
    auto *ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("OK"));
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"));
    cancel->setObjectName(QStringLiteral("Cancel"));
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    setWindow(window);
    setButtons(ok, cancel);
    setKeeper(this);
}

bool ReferenceForm::open()
{
    const int request = context().threadRequest();
    const QString noun = latin(table(m_kind).noun);
    window()->setWindowTitle(Translator::instance().translate(
        request == Request::Insert   ? QStringLiteral("Add %1...").arg(noun)
        : request == Request::Change ? QStringLiteral("Change %1...").arg(noun)
                                     : QStringLiteral("View Record")));
    if (!UpdateForm::open())
        return false;
    if (isOpen())
        showColor();
    return true;
}

int ReferenceForm::open(int request)
{
    if (request == Request::Insert) {
        if (m_sorted) {
            auto entry = m_sorted->newEntry();
            if (!report(entry ? Result<void>() : Result<void>(entry.error())))
                return Request::None;
            record() = *entry;
        } else {
            record() = file()->newRecord();
        }
    } else {
        record() = m_selected;
    }
    m_color = table(m_kind).color ? record().integer(QStringLiteral("COLOR")) : 0;
    return request;
}

bool ReferenceForm::save()
{
    data::Record entry = record();
    if (table(m_kind).color)
        entry.setValue(QStringLiteral("COLOR"), m_color);
    const bool inserting = request() == Request::Insert;
    if (m_sorted) {
        if (inserting) {
            auto sort = m_sorted->insert(entry, m_after);
            return report(sort ? Result<void>() : Result<void>(sort.error()));
        }
        return report(m_sorted->change(entry));
    }
    if (m_text) {
        if (inserting)
            return report(m_text->insert(entry.text(m_text->textField()).trimmed()));
        return report(m_text->change(entry));
    }
    if (inserting)
        return report(file()->insert(entry));
    data::RelationManager *relations = session().relations(latin(table(m_kind).file));
    if (!relations)
        return report(
            makeError(2, QStringLiteral("The file %1 has no relations").arg(latin(table(m_kind).file))));
    // A new sort number is carried into the issues by the relation's cascade.
    return report(relations->update(entry));
}

bool ReferenceForm::remove()
{
    // The form deletes through its list, so it asks the file's own question first.
    if (file()->report(MessageConfirmDelete, makeError(0, QString())) != Button::Yes)
        return false;
    if (m_sorted)
        return report(m_sorted->remove(m_selected));
    if (m_text)
        return report(m_text->remove(m_selected));
    data::RelationManager *relations = session().relations(latin(table(m_kind).file));
    if (!relations)
        return report(
            makeError(2, QStringLiteral("The file %1 has no relations").arg(latin(table(m_kind).file))));
    data::Record doomed = m_selected;
    return report(relations->remove(doomed));
}

bool ReferenceForm::report(const Result<void> &result)
{
    if (result)
        return true;
    // The data layer has told the user of a failed read or write; only the list's refusals are told here.
    if (SortedList::isOwnError(result.error()))
        Messages::show(result.error().message, Translator::instance().translate(QStringLiteral("Tarvo")),
                       MessageIcon::Exclamation);
    return false;
}

void ReferenceForm::showColor()
{
    if (!m_colorBox)
        return;
    // The stored colour is 0x00BBGGRR.
    const QColor color(int(m_color & 0xFF), int((m_color >> 8) & 0xFF), int((m_color >> 16) & 0xFF));
    QPalette palette = m_colorBox->palette();
    palette.setColor(QPalette::Window, color);
    m_colorBox->setPalette(palette);
}

void ReferenceForm::takeAccepted(const QString &controlName)
{
    if (controlName != QStringLiteral("SelectColor")) {
        UpdateForm::takeAccepted(controlName);
        return;
    }
    std::optional<qint64> chosen;
    if (colorChooser()) {
        chosen = colorChooser()(m_color);
    } else {
        const QColor current(int(m_color & 0xFF), int((m_color >> 8) & 0xFF), int((m_color >> 16) & 0xFF));
        const QColor picked = QColorDialog::getColor(
            current, window(), Translator::instance().translate(QStringLiteral("Select color...")));
        if (picked.isValid())
            chosen = qint64(picked.red()) | (qint64(picked.green()) << 8) | (qint64(picked.blue()) << 16);
    }
    if (chosen)
        m_color = *chosen;
    showColor();
}

void openReferenceForm(Context &context, data::Session &session, ReferenceKind kind, qint32 programId,
                       int request, const data::Record &selected, qint64 after, QWidget *caller,
                       std::function<void(int response)> done)
{
    context.setThreadRequest(request);
    auto *form = new ReferenceForm(context, session, kind, programId, selected, after);
    form->openModal(caller, [done = std::move(done)](int response) {
        if (done)
            done(response);
    });
}

} // namespace tarvo::masterdata::ui
