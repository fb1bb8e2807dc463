#pragma once

#include "support/Odkaz.h"

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

namespace vantrel {

// The about dialog "OAplikaciForm": product name, the running program's version, a one-line
// description and the maker's web address as a link. Created once, shown modally. Laid out in
// design pixels grown with the text size, and wider or taller wherever its texts need it.
class TOAplikaciForm : public QDialog {
    Q_OBJECT

public:
    // `cestaProgramu` is the executable whose version is shown; empty means the running one.
    explicit TOAplikaciForm(QWidget* rodic = nullptr, const QString& cestaProgramu = QString());

    QLabel& Label1() const { return *m_Label1; }
    QLabel& lblVerze() const { return *m_lblVerze; }
    QFrame& Bevel1() const { return *m_Bevel1; }
    QLabel& lblPopis() const { return *m_lblPopis; }
    QLabel& Label2() const { return *m_Label2; }
    TOdkaz& lblURL() const { return *m_lblURL; }
    QPushButton& btnZavrit() const { return *m_btnZavrit; }

    void setVisible(bool viditelny) override;

protected:
    void changeEvent(QEvent* udalost) override;

private:
    void VytvorPopisky();
    // Fills in the version once; it is not updated afterwards.
    void FormCreate(const QString& cestaProgramu);
    // Lays the dialog out from its texts, which a translation or the font may have changed.
    void Rozmisti();
    // Opens the label's own text with the desktop's handler; a failure is not reported.
    void lblURLClick();

    QLabel* m_Label1 = nullptr;
    QLabel* m_lblVerze = nullptr;
    QFrame* m_Bevel1 = nullptr;
    QLabel* m_lblPopis = nullptr;
    QLabel* m_Label2 = nullptr;
    TOdkaz* m_lblURL = nullptr;
    QPushButton* m_btnZavrit = nullptr;
    double meritko_ = 1;
};

} // namespace vantrel
