#pragma once

#include "platform/data/Record.h"

#include <QString>

namespace tarvo::core {

// One custom field of the issues as the settings define it.
struct CustomFieldSetting final {
    bool enabled = false;
    QString name;
    QString type;
    int length = 0;
    QString choices;
};

// The settings record (Parameter) through named, typed accessors, so that no caller spells a
// field name of its own. Holds a copy; record() gives it back for writing.
class SettingsValues final {
  public:
    static constexpr int CustomFieldCount = 10;

    explicit SettingsValues(data::Record record = {}) : m_record(std::move(record)) {}
    const data::Record &record() const { return m_record; }

    QString language() const { return text("Language"); }
    void setLanguage(const QString &language) { set("Language", language); }
    // The interface language the settings ask for is German.
    bool isGerman() const;
    QString charset() const { return text("Charset"); }
    void setCharset(const QString &charset) { set("Charset", charset); }
    QString currency() const { return text("Currency"); }
    void setCurrency(const QString &currency) { set("Currency", currency); }
    QString location() const { return text("LOCATION"); }
    void setLocation(const QString &location) { set("LOCATION", location); }
    // The display colour of shown-only fields, 00BBGGRR.
    qint32 colour() const { return qint32(integer("COLOR")); }
    void setColour(qint32 colour) { set("COLOR", colour); }

    int emailType() const { return int(integer("EMailType")); }
    void setEmailType(int type) { set("EMailType", type); }
    QString emailServer() const { return text("EMAILSERVER"); }
    void setEmailServer(const QString &server) { set("EMAILSERVER", server); }
    int emailServerPort() const { return int(integer("EMailServerPort")); }
    void setEmailServerPort(int port) { set("EMailServerPort", port); }
    QString emailAuthUser() const { return text("EMAILAUTHUSER"); }
    void setEmailAuthUser(const QString &user) { set("EMAILAUTHUSER", user); }
    QString emailAuthPassword() const { return text("EMAILAUTHPASSWORD"); }
    void setEmailAuthPassword(const QString &password) { set("EMAILAUTHPASSWORD", password); }
    bool emailEnabled() const { return flag("ENABLEEMAIL"); }
    void setEmailEnabled(bool on) { set("ENABLEEMAIL", on ? 1 : 0); }
    bool emailOnMassUpdate() const { return flag("ENABLEEMAILMASSUPDATE"); }
    void setEmailOnMassUpdate(bool on) { set("ENABLEEMAILMASSUPDATE", on ? 1 : 0); }
    bool askEmail() const { return flag("ASKEMAIL"); }
    void setAskEmail(bool on) { set("ASKEMAIL", on ? 1 : 0); }
    bool modifyEmail() const { return flag("MODIFYEMAIL"); }
    void setModifyEmail(bool on) { set("MODIFYEMAIL", on ? 1 : 0); }

    // The captions of the Insert, Change and Delete buttons, when the settings override them.
    bool overrideInsert() const { return flag("OVERRIDEINSERT"); }
    void setOverrideInsert(bool on) { set("OVERRIDEINSERT", on ? 1 : 0); }
    QString insertText() const { return text("INSERTTEXT"); }
    void setInsertText(const QString &caption) { set("INSERTTEXT", caption); }
    bool overrideChange() const { return flag("OVERRIDECHANGE"); }
    void setOverrideChange(bool on) { set("OVERRIDECHANGE", on ? 1 : 0); }
    QString changeText() const { return text("CHANGETEXT"); }
    void setChangeText(const QString &caption) { set("CHANGETEXT", caption); }
    bool overrideDelete() const { return flag("OVERRIDEDELETE"); }
    void setOverrideDelete(bool on) { set("OVERRIDEDELETE", on ? 1 : 0); }
    QString deleteText() const { return text("DELETETEXT"); }
    void setDeleteText(const QString &caption) { set("DELETETEXT", caption); }

    QString updateBugFirstField() const { return text("UpdateBugFirstField"); }
    void setUpdateBugFirstField(const QString &field) { set("UpdateBugFirstField", field); }
    bool versionInsertDisabled() const { return flag("DISABLEVERSIONINSERT"); }
    void setVersionInsertDisabled(bool on) { set("DISABLEVERSIONINSERT", on ? 1 : 0); }
    bool historyDisabled() const { return flag("DISABLEHISTORY"); }
    void setHistoryDisabled(bool on) { set("DISABLEHISTORY", on ? 1 : 0); }
    int dateTimeStampInsertPosition() const { return int(integer("DateTimeStampInsPos")); }
    void setDateTimeStampInsertPosition(int position) { set("DateTimeStampInsPos", position); }
    QString dateTimeStamp() const { return text("DateTimeStamp"); }
    void setDateTimeStamp(const QString &stamp) { set("DateTimeStamp", stamp); }
    QString customerRegCodeProgram() const { return text("CUSTOMERREGCODEPROGRAM"); }
    void setCustomerRegCodeProgram(const QString &program) { set("CUSTOMERREGCODEPROGRAM", program); }
    QString customerSources() const { return text("CustomerSources"); }
    void setCustomerSources(const QString &sources) { set("CustomerSources", sources); }
    QString functionList() const { return text("FunctionList"); }
    void setFunctionList(const QString &functions) { set("FunctionList", functions); }
    // The prompt that replaces "Identifier:" on the issue form; empty keeps it.
    QString identifierPrompt() const { return text("CUSTOMIZE1"); }
    void setIdentifierPrompt(const QString &prompt) { set("CUSTOMIZE1", prompt); }

    bool workflowEnabled() const { return flag("WFENABLE"); }
    void setWorkflowEnabled(bool on) { set("WFENABLE", on ? 1 : 0); }
    int workflowAssignIssue() const { return int(integer("WFAssignIssue")); }
    void setWorkflowAssignIssue(int mode) { set("WFAssignIssue", mode); }
    bool workflowAllowChange() const { return flag("WFALLOWCHANGE"); }
    void setWorkflowAllowChange(bool on) { set("WFALLOWCHANGE", on ? 1 : 0); }
    int workflowCloseIssue() const { return int(integer("WFCloseIssue")); }
    void setWorkflowCloseIssue(int mode) { set("WFCloseIssue", mode); }
    bool workflowPromptBeforeClose() const { return flag("WFPromptBeforeClose"); }
    void setWorkflowPromptBeforeClose(bool on) { set("WFPromptBeforeClose", on ? 1 : 0); }
    bool workflowAllowStatusChange() const { return flag("WFAllowStatusChange"); }
    void setWorkflowAllowStatusChange(bool on) { set("WFAllowStatusChange", on ? 1 : 0); }

    // Custom field 1 to CustomFieldCount; an empty one outside that range.
    CustomFieldSetting customField(int number) const;
    // False (nothing changed) outside that range.
    bool setCustomField(int number, const CustomFieldSetting &field);
    bool anyCustomFieldEnabled() const;

  private:
    QString text(const char *field) const;
    qint64 integer(const char *field) const;
    bool flag(const char *field) const { return integer(field) != 0; }
    void set(const char *field, const QVariant &value);

    data::Record m_record;
};

} // namespace tarvo::core
