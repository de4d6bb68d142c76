#include "masterdata/ui/programs/ProgramEntryForm.h"

#include "core/startup/SettingsRecord.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace tarvo::masterdata::ui {

namespace {
QPushButton *namedButton(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}
} // namespace

ProgramEntryForm::ProgramEntryForm(Context &context, const QString &procedureName, data::Session &session,
                                   const QString &fileLabel, const QString &programField, Texts texts,
                                   QObject *parent)
    : UpdateForm(context, procedureName, session, fileLabel, parent), m_programField(programField),
      m_texts(std::move(texts))
{
    m_programId = record().isValid() ? record().integer(m_programField) : 0;
    keepOnPrime(m_programField);

    auto *window = new QWidget;
    window->setMinimumWidth(420);
    auto *layout = new QVBoxLayout(window);
    m_tabs = new QTabWidget;
    auto *general = new QWidget;
    general->setObjectName(QStringLiteral("Tab:General"));
    m_rows = new QFormLayout(general);
    m_programName = new QLabel;
    m_programName->setObjectName(QStringLiteral("PRG:PRGNAME"));
    m_rows->addRow(m_programName);
    m_tabs->addTab(general, QStringLiteral("General"));
    layout->addWidget(m_tabs);
    auto *buttons = new QDialogButtonBox;
    m_ok = namedButton(QStringLiteral("OK"), QStringLiteral("&OK"));
    auto *cancel = namedButton(QStringLiteral("Cancel"), QStringLiteral("&Cancel"));
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    setWindow(window);
    setButtons(m_ok, cancel);
    connect(this, &WindowManager::closed, this, [this](int response) {
        if (request() == Request::Delete && response == Response::Completed && m_removeIssues)
            offerIssueDeletion();
    });
    onPrime([this](data::Record &entry) {
        for (const auto &[name, value] : m_kept)
            entry.setValue(name, value);
    });
}

void ProgramEntryForm::keepOnPrime(const QString &field)
{
    m_kept.emplace_back(field, record().isValid() ? record().value(field) : QVariant());
}

bool ProgramEntryForm::open()
{
    const int request = context().threadRequest();
    window()->setWindowTitle(request == Request::Insert   ? m_texts.addCaption
                             : request == Request::Change ? m_texts.changeCaption
                                                          : QStringLiteral("View Record"));
    if (data::FileManager *programs = session().file(QStringLiteral("Programs"))) {
        data::Record &program = programs->buffer();
        if (!program.isValid())
            program = programs->newRecord();
        program.setValue(QStringLiteral("PRG:ID"), m_programId);
        if (programs->fetch(QStringLiteral("PRG:KeyID"), program))
            m_programName->setText(program.text(QStringLiteral("PRG:PrgName")));
    }
    const qint64 colour = core::SettingsRecord::instance().integer(QStringLiteral("PAR:Color"));
    if (colour > 0)
        m_programName->setStyleSheet(QStringLiteral("color: #%1%2%3")
                                         .arg(colour & 0xff, 2, 16, QLatin1Char('0'))
                                         .arg((colour >> 8) & 0xff, 2, 16, QLatin1Char('0'))
                                         .arg((colour >> 16) & 0xff, 2, 16, QLatin1Char('0')));
    return UpdateForm::open();
}

void ProgramEntryForm::offerIssueDeletion()
{
    const Translator &translator = Translator::instance();
    const int answer = Messages::show(
        translator.translate(QStringLiteral(
            "Should all related bugs, feature-requests, support-requests and to-do's also be deleted?")),
        translator.translate(QStringLiteral("Confirm Delete")), MessageIcon::Question,
        Button::Yes | Button::No, Button::No);
    if (answer != Button::Yes)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The buffer still holds the entry just deleted.
    const Result<int> removed = m_removeIssues(record());
    QApplication::restoreOverrideCursor();
    if (!removed)
        Messages::show(removed.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
}

void ProgramEntryForm::refuse(const QString &text, QWidget *control)
{
    Messages::beep(MessageIcon::Exclamation);
    Messages::show(Translator::instance().translate(text), QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    selectControl(control);
}

} // namespace tarvo::masterdata::ui
