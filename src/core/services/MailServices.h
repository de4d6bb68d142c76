#pragma once

#include <QString>

namespace tarvo::core {

// A notification mail whose preview has been answered but which is not sent yet: a save asks
// about every mail before it commits and sends the mails only once the issue is stored.
struct NotificationMail final {
    int decision = 0; // 1 send, 2 not sent by choice, 0 cancelled
    qint32 issueId = 0;
    QString eventField;
    QString eventValue;
    QString to;
    QString cc;
    QString subject;
    QString format;
    QString priority;
    QString text;
};

// What the application core and the issue tracking call of the e-mail subsystem: the mail
// windows, sending and logging one mail, and the lists of rules, templates and mass e-mails.
class MailServices {
  public:
    virtual ~MailServices() = default;

    // EMail_Preview: kind 0 notification rule (for the rule and the issue in the context's
    // buffers), 1 template, 2 report. Returns 1 sent, 2 not sent by choice, 0 cancelled.
    virtual int emailPreview(int contextNumber, int kind, const QString &to, const QString &cc,
                             const QString &subject, const QString &attachments, const QString &priority,
                             const QString &text) = 0;
    // The preview of a notification rule in two steps. decideNotification fills the mail of the
    // rule in the context's EMailEvents buffer for the issue in its Bugs buffer and asks the user
    // as emailPreview does, sending nothing; sendNotification sends and logs a mail decided to be
    // sent (1 sent, 2 not sent).
    virtual NotificationMail decideNotification(int contextNumber) = 0;
    virtual int sendNotification(int contextNumber, const NotificationMail &mail) = 0;
    // SendEMail: the template popup at a screen point, addressed to the given address.
    virtual void sendEMail(int contextNumber, const QString &address, int x, int y) = 0;
    // EMail_Send: sends one mail over SMTP or the desktop and logs it; 1 sent, 2 not sent.
    virtual int emailSend(int contextNumber, int logKind, const QString &to, const QString &cc,
                          const QString &subject, int number, const QString &format, const QString &images,
                          const QString &attachments, const QString &priority, const QString &text) = 0;
    // UpdateEMails: the form of one logged mail, under the context's request.
    virtual void updateEMails(int contextNumber) = 0;
    // The lists, each on a context of its own and run once.
    virtual void browseEMailEvents() = 0;
    virtual void browseEMailTemplates() = 0;
    virtual void browseMassEMails() = 0;
};

// RefreshNotices: tells every running copy, this one too, which data files changed.
class RefreshNotices {
  public:
    virtual ~RefreshNotices() = default;
    // files: labels each between vertical bars, e.g. "|Bugs|Attachments|".
    virtual void sendRefresh(const QString &files, int flag = 0) = 0;
    // Asked by a watching window on an event with the date and time of its last read and its
    // own watched labels; true when it must read again (date and time are then brought up to now).
    virtual bool needsRefresh(int event, qint32 &date, qint32 &time, const QString &watched) = 0;
};

// CloseDownService: the frame's listener for close-down requests (1 warning, 2 close down).
class CloseDownListener {
  public:
    virtual ~CloseDownListener() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
};

} // namespace tarvo::core
