#include "masterdata/ui/releasenotes/UpdateReleaseNotes.h"

#include "core/frame/FrameGlobals.h"
#include "core/lists/FillProgramTree.h"
#include "core/lists/FillReleaseList.h"
#include "masterdata/releasenotes/IssuePlaceholders.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include <map>

namespace tarvo::masterdata::ui {

namespace {

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

UpdateReleaseNotes::FileChooser &fileChooser()
{
    static UpdateReleaseNotes::FileChooser chooser;
    return chooser;
}

UpdateReleaseNotes::FieldPicker &fieldPicker()
{
    static UpdateReleaseNotes::FieldPicker picker;
    return picker;
}

QString pickField(QWidget *button, const QStringList &placeholders)
{
    if (fieldPicker())
        return fieldPicker()(button, placeholders);
    QMenu menu(button);
    for (const QString &name : placeholders)
        menu.addAction(name);
    const QAction *chosen = menu.exec(button->mapToGlobal(QPoint(0, button->height())));
    return chosen ? chosen->text() : QString();
}

QString askForFile(QWidget *parent, const QString &current)
{
    if (fileChooser())
        return fileChooser()(parent, current);
    const QString folder = QDir::currentPath();
    const QString chosen = QFileDialog::getSaveFileName(parent, translated("Release Notes File..."), current,
                                                        translated("All Files") + QStringLiteral(" (*.*)"),
                                                        nullptr, QFileDialog::DontConfirmOverwrite);
    QDir::setCurrent(folder);
    return chosen;
}

// The colour of a 00BBGGRR value.
QColor colourOf(qint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace

UpdateReleaseNotes::UpdateReleaseNotes(Context &context, data::Session &session, QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateReleaseNotes"), session, QStringLiteral("ReleaseNotes"),
                 parent)
{
    build();
}

UpdateReleaseNotes::~UpdateReleaseNotes() = default;

void UpdateReleaseNotes::setFileChooser(FileChooser chooser)
{
    fileChooser() = std::move(chooser);
}

void UpdateReleaseNotes::setFieldPicker(FieldPicker picker)
{
    fieldPicker() = std::move(picker);
}

QPlainTextEdit *UpdateReleaseNotes::text(const QString &fieldName) const
{
    for (QPlainTextEdit *edit : m_texts)
        if (edit->objectName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return edit;
    return nullptr;
}

void UpdateReleaseNotes::selectField(QPlainTextEdit *edit, QWidget *button)
{
    if (!takeControls())
        return;
    data::FileManager *bugs = session().file(QStringLiteral("Bugs"));
    if (!bugs)
        return;
    const QString chosen = Text::clip(pickField(button, IssuePlaceholders::names(bugs->layout())));
    QTextCursor cursor = edit->textCursor();
    const int at = cursor.selectionStart();
    QString content = edit->toPlainText();
    content.insert(at, chosen);
    edit->setPlainText(content);
    cursor = edit->textCursor();
    cursor.setPosition(at + int(chosen.size()));
    edit->setTextCursor(cursor);
    edit->setFocus();
}

QString UpdateReleaseNotes::helpTopic()
{
    return QStringLiteral("Adding Updating Release Notes.htm");
}

void UpdateReleaseNotes::build()
{
    auto *window = new QWidget;
    window->setObjectName(QStringLiteral("UpdateReleaseNotes"));
    auto *layout = new QVBoxLayout(window);
    m_sheet = new QTabWidget(window);
    m_sheet->setObjectName(QStringLiteral("SHEET1"));

    auto *general = new QWidget;
    general->setObjectName(QStringLiteral("TAB1"));
    auto *generalLayout = new QVBoxLayout(general);
    auto *top = new QFormLayout;
    auto *description = new QLineEdit(general);
    description->setObjectName(QStringLiteral("REN:DESCRIPTION"));
    top->addRow(translated("Description:"), description);
    generalLayout->addLayout(top);

    auto *group = new QGroupBox(translated("Generate Release Notes for..."), general);
    group->setObjectName(QStringLiteral("GROUP1"));
    auto *grid = new QFormLayout(group);
    m_program = new QComboBox(group);
    m_program->setObjectName(QStringLiteral("PRGLOC"));
    grid->addRow(translated("Program:"), m_program);
    m_latest = new QCheckBox(translated("Latest Release"), group);
    m_latest->setObjectName(QStringLiteral("REN:LATESTRELEASE"));
    m_all = new QCheckBox(translated("All Releases"), group);
    m_all->setObjectName(QStringLiteral("REN:ALLRELEASES"));
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_latest);
    checks->addWidget(m_all);
    checks->addStretch(1);
    grid->addRow(QString(), checks);
    m_release = new QComboBox(group);
    m_release->setObjectName(QStringLiteral("REN:RELEASE"));
    m_release->setEditable(true);
    grid->addRow(translated("Release:"), m_release);
    m_file = new QLineEdit(group);
    m_file->setObjectName(QStringLiteral("REN:RELEASENOTESFILE"));
    m_lookup = new QToolButton(group);
    m_lookup->setObjectName(QStringLiteral("LOOKUPFILE"));
    m_lookup->setText(QStringLiteral("..."));
    m_lookup->setIcon(QIcon::fromTheme(QStringLiteral("folder-open")));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_lookup);
    grid->addRow(translated("Output File:"), fileRow);
    auto *append = new QCheckBox(translated("Append to File"), group);
    append->setObjectName(QStringLiteral("REN:APPENDTOFILE"));
    grid->addRow(QString(), append);
    generalLayout->addWidget(group);
    generalLayout->addStretch(1);
    m_sheet->addTab(general, translated("General"));

    auto *texts = new QWidget;
    texts->setObjectName(QStringLiteral("TAB2"));
    auto *textLayout = new QFormLayout(texts);
    const std::pair<const char *, const char *> textFields[] = {{"REN:FileHeader", "File Header:"},
                                                                {"REN:GroupHeader", "Group Header:"},
                                                                {"REN:Detail", "Detail:"},
                                                                {"REN:GroupFooter", "Group Footer:"},
                                                                {"REN:FileFooter", "File Footer:"}};
    // The file header and footer are written as typed, so only the others offer placeholders.
    const std::map<QString, const char *> pickers = {{QStringLiteral("REN:GroupHeader"), "B2"},
                                                     {QStringLiteral("REN:Detail"), "B3"},
                                                     {QStringLiteral("REN:GroupFooter"), "B4"}};
    for (const auto &[name, caption] : textFields) {
        auto *edit = new QPlainTextEdit(texts);
        edit->setObjectName(QLatin1String(name));
        edit->setMinimumHeight(48);
        m_texts.push_back(edit);
        const auto picker = pickers.find(QLatin1String(name));
        if (picker == pickers.end()) {
            textLayout->addRow(translated(caption), edit);
            continue;
        }
        auto *row = new QHBoxLayout;
        row->addWidget(edit, 1);
        auto *select = new QPushButton(translated("Select field..."), texts);
        select->setObjectName(QLatin1String(picker->second));
        select->setAutoDefault(false);
        row->addWidget(select, 0, Qt::AlignTop);
        textLayout->addRow(translated(caption), row);
        connect(select, &QPushButton::clicked, this, [this, edit, select] { selectField(edit, select); });
    }
    m_sheet->addTab(texts, translated("Additional Text"));
    layout->addWidget(m_sheet, 1);

    auto *buttons = new QDialogButtonBox(window);
    auto *ok = buttons->addButton(translated("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    auto *cancel = buttons->addButton(translated("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    auto *help = buttons->addButton(translated("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("Help"));
    layout->addWidget(buttons);
    window->resize(520, 440);
    setWindow(window);

    field(QStringLiteral("REN:Description"), description);
    field(QStringLiteral("REN:LatestRelease"), m_latest);
    field(QStringLiteral("REN:AllReleases"), m_all);
    field(QStringLiteral("REN:Release"), m_release);
    field(QStringLiteral("REN:ReleaseNotesFile"), m_file);
    field(QStringLiteral("REN:AppendToFile"), append);
    for (QPlainTextEdit *edit : m_texts)
        field(edit->objectName(), edit);
    setButtons(ok, cancel);
    setHelp(help, helpTopic());

    connect(m_latest, &QCheckBox::toggled, this, &UpdateReleaseNotes::applyEnabling);
    connect(m_all, &QCheckBox::toggled, this, &UpdateReleaseNotes::applyEnabling);
    connect(m_program, &QComboBox::activated, this, &UpdateReleaseNotes::chooseProgram);
    connect(m_lookup, &QToolButton::clicked, this, &UpdateReleaseNotes::lookupFile);
    connect(m_sheet, &QTabWidget::currentChanged, this, &UpdateReleaseNotes::colourTextTab);
}

bool UpdateReleaseNotes::open()
{
    if (isOpen())
        return true;
    const int request = context().threadRequest();
    if (request != Request::Delete) {
        core::ProgramTreeQueue queue;
        const auto filled = core::FillProgramTree(
            session(), core::FrameGlobals::instance().secP(),
            [](const QString &text) { return Translator::instance().translate(text); }, queue);
        m_programs = queue.rows();
        m_program->clear();
        for (const core::ProgramTreeQueueEntry &row : m_programs) {
            // Programs stand under the root row, sub-programs under their parents.
            const int depth = row.id > 0 ? int(std::abs(row.level)) : 0;
            m_program->addItem(QString(depth * 3, QLatin1Char(' ')) + row.prgName);
        }
        if (!filled)
            Messages::show(filled.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    }
    window()->setWindowTitle(request == Request::Insert   ? translated("Add Release Notes File...")
                             : request == Request::Change ? translated("Change Release Notes File...")
                                                          : translated("View Record"));
    if (!UpdateForm::open())
        return false;
    if (request == Request::Delete)
        return true;
    const qint64 prgId = record().integer(QStringLiteral("REN:PrgID"));
    m_program->setCurrentIndex(-1);
    for (size_t i = 0; i < m_programs.size(); ++i)
        if (prgId > 0 && m_programs[i].id == prgId)
            m_program->setCurrentIndex(int(i));
    fillReleases();
    showRecord();
    applyEnabling();
    colourTextTab();
    return true;
}

void UpdateReleaseNotes::chooseProgram(int row)
{
    if (row < 0 || size_t(row) >= m_programs.size())
        return;
    const core::ProgramTreeQueueEntry &entry = m_programs[size_t(row)];
    if (entry.id <= 0) {
        Messages::beep(MessageIcon::Exclamation);
        m_program->setCurrentIndex(-1);
        record().setValue(QStringLiteral("REN:PrgID"), 0);
        record().setValue(QStringLiteral("REN:PRGNAME"), QString());
        m_program->setFocus();
    } else {
        record().setValue(QStringLiteral("REN:PrgID"), entry.id);
        record().setValue(QStringLiteral("REN:PRGNAME"), entry.prgName);
    }
    const QString typed = m_release->currentText();
    fillReleases();
    m_release->setCurrentText(typed);
}

void UpdateReleaseNotes::fillReleases()
{
    core::ReleaseQueue releases;
    (void)core::FillReleaseList(releases, qint32(record().integer(QStringLiteral("REN:PrgID"))), session());
    m_release->clear();
    for (const core::ReleaseQueueEntry &r : releases)
        m_release->addItem(Text::clip(r.release));
}

void UpdateReleaseNotes::applyEnabling()
{
    const bool latest = m_latest->isChecked();
    m_all->setEnabled(!latest && !isViewOnly() && !isDenied(m_all->objectName()));
    const bool release = !latest && !m_all->isChecked();
    m_release->setEnabled(release && !isViewOnly());
}

void UpdateReleaseNotes::lookupFile()
{
    if (!takeControls())
        return;
    const QString chosen =
        askForFile(window(), Text::clip(record().text(QStringLiteral("REN:ReleaseNotesFile"))));
    // Cancelling keeps the name as it was typed.
    if (chosen.isEmpty())
        return;
    m_file->setText(QDir::toNativeSeparators(chosen));
}

void UpdateReleaseNotes::colourTextTab()
{
    bool any = false;
    for (const QPlainTextEdit *edit : m_texts)
        any = any || !edit->toPlainText().isEmpty();
    const qint32 colour = core::FrameGlobals::instance().tabColor();
    m_sheet->tabBar()->setTabTextColor(1, any && colour >= 0 ? colourOf(colour) : QColor());
}

} // namespace tarvo::masterdata::ui
