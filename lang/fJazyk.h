#pragma once

#include "lang/SeznamJazykuQt.h"

#include <QDialog>
#include <QIcon>
#include <QList>
#include <memory>
#include <optional>
#include <string>

class QPushButton;
class QTreeWidget;

namespace vantrel {

// The language picked in the language dialog.
struct TVolbaJazyka {
    // The row's caption, letter case as in the language file; becomes KodJazyka.
    std::u16string Kod;
    // The row's position in the list from 0; the aJazyk image is omPrvniVlajka + Pozice.
    int Pozice = -1;
};

// The language dialog "JazykForm": the languages of the language file, one per row.
// Created once and kept; the rows are rebuilt each time it is opened with Vyber().
class TJazykForm : public QDialog {
    Q_OBJECT

public:
    explicit TJazykForm(QWidget* rodic = nullptr);
    ~TJazykForm() override;

    // Fills the list from the language file (NactiJazyky with ilVlajky, which preselects the
    // current language) and shows the dialog modally. The chosen row on OK, nothing on Storno,
    // Escape or the close box. An error of the language file propagates before the dialog is
    // shown; the engine itself is left unchanged either way.
    std::optional<TVolbaJazyka> Vyber(const TJazykXML& jazyk);
    // The list as the engine's NactiJazyky fills it: flags by the language's index.
    TSeznamJazyku& SeznamJazyku() const { return *seznamJazyku_; }
    // Shows the dialog modally with the list as it has been filled.
    std::optional<TVolbaJazyka> Zobraz();

    // The selected row, when there is one.
    std::optional<TVolbaJazyka> Volba() const;

    QTreeWidget& livJazyk() const { return *m_livJazyk; }
    QPushButton& btnOK() const { return *m_btnOK; }
    QPushButton& btnStorno() const { return *m_btnStorno; }
    // The six flags, by the language file's "index": Czech, British, Slovak, German, French,
    // Spanish.
    const QList<QIcon>& ilVlajky() const { return m_ilVlajky; }

    void setVisible(bool viditelny) override;

protected:
    // The list is named after the dialog, in the dialog's language.
    void changeEvent(QEvent* udalost) override;

private slots:
    // OK is enabled exactly while a row is selected.
    void livJazykSelectItem();

private:
    void VytvorSeznam();
    void VytvorTlacitka();
    void Rozmisti();

    QTreeWidget* m_livJazyk = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnStorno = nullptr;
    QList<QIcon> m_ilVlajky;
    std::unique_ptr<TSeznamJazykuQt> seznamJazyku_;
    // How much larger than designed the dialog is drawn with its font.
    double meritko_ = 1;
};

} // namespace vantrel
