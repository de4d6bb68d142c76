#include "masterdata/ui/releasenotes/BrowseReleaseNotes.h"

#include "core/frame/FrameUserSettings.h"
#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/frame/FrameMdi.h"
#include "masterdata/releasenotes/IssuePlaceholders.h"
#include "masterdata/releasenotes/ReleaseNotesGenerator.h"
#include "masterdata/ui/releasenotes/UpdateReleaseNotes.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Events.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramFolder.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

listext::ColumnDefinition column(const QString &field, const char *header, const char *picture, int width,
                                 bool ofTheFile = true)
{
    listext::ColumnDefinition c =
        listext::ColumnDefinition::of(field, QLatin1String(header), QLatin1String(picture), width);
    c.viewField = ofTheFile;
    c.sortable = ofTheFile;
    return c;
}

QString userIniPath()
{
    core::AccessServices *access = core::Services::access();
    return !access || access->makOrdner().isEmpty() ? ProgramFolder::filePath(QStringLiteral("User.ini"))
                                                    : core::FrameUserSettings::userIniPath(*access);
}

} // namespace

BrowseReleaseNotes::BrowseReleaseNotes(Context &context, data::Session &session, QObject *parent)
    : ListWindow(context, QStringLiteral("BrowseReleaseNotes"), parent), m_session(session),
      m_rows(std::make_unique<ReleaseNotesRows>(
          session, [](const QString &text) { return Translator::instance().translate(text); }))
{
    listext::ui::ListDeclaration declaration;
    declaration.control = QStringLiteral("?BROWSE:1");
    declaration.columns = {
        column(QStringLiteral("REN:DESCRIPTION"), "Description", "@s255", 160),
        column(ReleaseNotesRows::ProgramColumn, "Program", "@s250", 120, false),
        column(ReleaseNotesRows::ReleaseColumn, "Release", "@s35", 110, false),
        column(QStringLiteral("REN:RELEASENOTESFILE"), "File", "@s255", 220),
    };
    declaration.updateProcedure = UpdateReleaseNotes;
    declaration.watchedFiles = QStringLiteral("|ReleaseNotes|Programs|");
    addList(std::move(declaration), *m_rows);
    setUserIni(IniFile(userIniPath()));
    setProcedure(UpdateReleaseNotes, [this](std::function<void()> finished) {
        const int request = this->context().threadRequest();
        if (request != Request::Insert && !readSelected()) {
            this->context().setThreadResponse(Response::Cancelled);
            finished();
            return;
        }
        auto *form = new ui::UpdateReleaseNotes(this->context(), m_session);
        connect(form, &WindowManager::closed, this, [this, form](int response) {
            if (response == Response::Completed && form->request() == Request::Insert)
                followKey(form->record().rowId());
        });
        form->openModal(window(), [finished = std::move(finished)](int) { finished(); });
    });
}

BrowseReleaseNotes::~BrowseReleaseNotes()
{
    delete window();
}

QWidget *BrowseReleaseNotes::buildWindow()
{
    auto *content = new QWidget;
    content->setObjectName(procedureName());
    content->setWindowTitle(translated("Release Notes Generation"));
    content->setWindowIcon(QIcon::fromTheme(QStringLiteral("system-run")));
    auto *layout = new QVBoxLayout(content);
    auto *sheet = new QTabWidget(content);
    sheet->setObjectName(QStringLiteral("SHEET1"));
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TAB1"));
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(list().panel(), 1);
    sheet->addTab(page, translated("Description"));
    layout->addWidget(sheet, 1);

    auto *buttons = new QHBoxLayout;
    m_generate = new QPushButton(translated("&Generate"), content);
    m_generate->setObjectName(QStringLiteral("Generate"));
    buttons->addWidget(m_generate);
    buttons->addStretch(1);
    auto *closeButton = new QPushButton(translated("&Close"), content);
    closeButton->setObjectName(QStringLiteral("Close"));
    auto *help = new QPushButton(translated("&Help"), content);
    help->setObjectName(QStringLiteral("Help"));
    buttons->addWidget(closeButton);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    acceptOn(m_generate);
    acceptOn(closeButton);
    content->resize(720, 360);
    return core::ui::FrameMdi::addWindow(content, context());
}

bool BrowseReleaseNotes::open()
{
    if (isOpen())
        return true;
    if (!window()) {
        setWindow(buildWindow());
        setHelp(window()->findChild<QPushButton *>(QStringLiteral("Help")), UpdateReleaseNotes::helpTopic());
    }
    if (!ListWindow::open())
        return false;
    // The settings may give the record buttons captions of their own.
    const core::SettingsValues settings = core::SettingsRecord::instance().values();
    const std::tuple<int, bool, QString> captions[] = {
        {Request::Insert, settings.overrideInsert(), settings.insertText()},
        {Request::Change, settings.overrideChange(), settings.changeText()},
        {Request::Delete, settings.overrideDelete(), settings.deleteText()}};
    for (const auto &[request, override, caption] : captions)
        if (QPushButton *button = list().button(request); button && override)
            button->setText(Text::clip(caption));
    const auto follow = [this] {
        if (m_generate && !isDenied(m_generate->objectName()))
            m_generate->setEnabled(list().currentRow() >= 0);
    };
    connect(&list(), &listext::ui::BrowseList::stateChanged, this, follow);
    follow();
    return true;
}

bool BrowseReleaseNotes::takeEvent(int event, const QVariant &data)
{
    // The window is a child of the frame's area: coming to the front makes it the active child.
    if (event == Events::GainFocus && qobject_cast<QMdiSubWindow *>(frame())) {
        core::ui::FrameMdi::activate(frame());
        return true;
    }
    return ListWindow::takeEvent(event, data);
}

void BrowseReleaseNotes::takeAccepted(const QString &controlName)
{
    if (controlName.compare(QLatin1String("Generate"), Qt::CaseInsensitive) == 0) {
        generate();
        return;
    }
    if (controlName.compare(QLatin1String("Close"), Qt::CaseInsensitive) == 0) {
        (void)close();
        return;
    }
    ListWindow::takeAccepted(controlName);
}

bool BrowseReleaseNotes::readSelected()
{
    const qint64 key = list().currentKey();
    data::FileManager *file = m_session.file(QStringLiteral("ReleaseNotes"));
    if (key < 0 || !file)
        return false;
    auto read = file->fetchRow(key, file->buffer());
    if (!read) {
        Messages::show(read.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void BrowseReleaseNotes::generate()
{
    const int row = list().currentRow();
    if (row < 0)
        return;
    const QString description =
        Text::clip(list().model().rawValue(row, QStringLiteral("REN:DESCRIPTION")).toString());
    if (Messages::show(translated("Are you sure you want to generate the release notes?"),
                       QStringLiteral("Tarvo"), MessageIcon::Question, Button::Yes | Button::No,
                       Button::No) != Button::Yes)
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    IssuePlaceholders placeholders(m_session.file(QStringLiteral("Programs")), [](const QString &initials) {
        core::AccessServices *access = core::Services::access();
        return access ? access->getValue(QStringLiteral("User"), initials) : QString();
    });
    ReleaseNotesGenerator generator(m_session,
                                    [&placeholders](const data::Record &issue, const QString &text) {
                                        return placeholders.fill(issue, text);
                                    });
    const Result<int> run = generator.generate(description);
    QApplication::restoreOverrideCursor();
    if (run) {
        Messages::beep(MessageIcon::Asterisk);
        Messages::show(translated("Release Notes Generation successful.|") + QStringLiteral("|") +
                           QString::number(*run) + QLatin1Char(' ') + translated("records written."),
                       QStringLiteral("Tarvo"), MessageIcon::Information);
        return;
    }
    Messages::beep(MessageIcon::Exclamation);
    Messages::show(translated("Release Notes Generation stopped due to an error.") + QStringLiteral(" (") +
                       QString::number(run.error().code) + QStringLiteral(")|") + run.error().message,
                   QStringLiteral("Tarvo"), MessageIcon::Exclamation);
}

} // namespace tarvo::masterdata::ui
