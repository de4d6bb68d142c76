#pragma once

#include "masterdata/customers/AddressLinks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace tarvo::ui {
class UpdateForm;
}

namespace tarvo::masterdata::ui {

// The pages a customer and a contact share, for the file's prefix ("CUS" or "CCO"): the person
// and address, the connectivity with its dial, mail and web buttons, the hardware with its
// environment notes, and the notes; each field bound to the form and the rules that tie them.
class PersonPages final {
  public:
    // With the county list, the province is chosen from the counties of the United Kingdom.
    PersonPages(tarvo::ui::UpdateForm &form, const QString &prefix, bool countyList = false);

    static const QStringList &counties();

    QWidget *general() const { return m_general; }
    QWidget *hardware() const { return m_hardware; }
    QWidget *notes() const { return m_notes; }
    QLabel *lastnamePrompt() const { return m_lastnamePrompt; }
    QLabel *firstnamePrompt() const { return m_firstnamePrompt; }
    QLineEdit *lastname() const { return m_lastname; }
    QComboBox *salutation() const { return m_salutation; }
    QGroupBox *connectivity() const { return m_connectivity; }

    // The network type is editable only while the network box is ticked; its value stays.
    void applyNetwork();

    // Makes a button of the form's window, named as its control.
    static QPushButton *button(QWidget *parent, const QString &name, const char *caption);
    // A line edit named as its field and as wide as the field allows.
    static QLineEdit *edit(QWidget *parent, const QString &name);

  private:
    QString name(const char *field) const { return m_prefix + QLatin1Char(':') + QLatin1String(field); }
    QWidget *buildGeneral();
    QWidget *buildHardware();
    QWidget *buildNotes();
    void stamp(QWidget *control, const char *field);

    tarvo::ui::UpdateForm &m_form;
    QString m_prefix;
    bool m_countyList = false;
    QPointer<QWidget> m_general;
    QPointer<QWidget> m_hardware;
    QPointer<QWidget> m_notes;
    QPointer<QLabel> m_lastnamePrompt;
    QPointer<QLabel> m_firstnamePrompt;
    QPointer<QLineEdit> m_lastname;
    QPointer<QComboBox> m_salutation;
    QPointer<QGroupBox> m_connectivity;
    QPointer<QCheckBox> m_network;
    QPointer<QLineEdit> m_networkType;
    QPointer<QLabel> m_networkTypePrompt;
};

} // namespace tarvo::masterdata::ui
