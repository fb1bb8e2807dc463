#include "lang/fJazyk.h"

#include "lang/Znacky.h"
#include "support/MeritkoQt.h"
#include "support/Obrazky.h"

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <algorithm>

namespace vantrel {

namespace {

constexpr int SloupecVerze = 2;

// The design, in pixels at 96 dpi.
constexpr int SirkaNavrhu = 409, VyskaNavrhu = 194;
constexpr int Okraj = 8;
// The list spans the dialog between its margins.
constexpr int VyskaSeznamu = 150;
constexpr int SirkaTlacitek = 75, VyskaTlacitek = 25;
constexpr int NadTlacitky = 6, MeziTlacitky = 6, PodTlacitky = 5;
constexpr int SirkySloupcu[] = {70, 100, 50, 150};

// Centres the cells of one column whoever fills the rows.
class TStredovyDelegat : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* volba, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(volba, index);
        volba->displayAlignment = Qt::AlignCenter;
    }
};

} // namespace

TJazykForm::TJazykForm(QWidget* rodic)
    : QDialog(rodic), m_ilVlajky(ObrazkyVlajek()), meritko_(MeritkoNavrhu(font())) {
    setObjectName(QStringLiteral("JazykForm"));
    setWindowTitle(QStringLiteral("Výběr jazyka aplikace"));
    NastavZnacku(this, ZnackaPreklad);
    VytvorSeznam();
    seznamJazyku_ = std::make_unique<TSeznamJazykuQt>(*m_livJazyk, m_ilVlajky);
    VytvorTlacitka();
    m_livJazyk->setAccessibleName(windowTitle());
    Rozmisti();
}

TJazykForm::~TJazykForm() = default;

// The designed places and sizes, grown with the text size; columns and buttons wider where their
// captions need it, and the dialog with the buttons.
void TJazykForm::Rozmisti() {
    const auto n = [this](int delka) { return Navrh(delka, meritko_); };
    const int tlacitko = std::max(SirkaTlacitka(*m_btnOK, n(SirkaTlacitek)),
                                  SirkaTlacitka(*m_btnStorno, n(SirkaTlacitek)));
    const int vyskaTlacitka = std::max(
        {n(VyskaTlacitek), m_btnOK->sizeHint().height(), m_btnStorno->sizeHint().height()});
    const int sirka = std::max(n(SirkaNavrhu), 2 * tlacitko + n(MeziTlacitky) + 2 * n(Okraj));
    const int nahore = n(Okraj) + n(VyskaSeznamu) + n(NadTlacitky);
    setFixedSize(sirka, std::max(n(VyskaNavrhu), nahore + vyskaTlacitka + n(PodTlacitky)));
    m_livJazyk->setGeometry(n(Okraj), n(Okraj), sirka - 2 * n(Okraj), n(VyskaSeznamu));
    m_btnStorno->setGeometry(sirka - n(Okraj) - tlacitko, nahore, tlacitko, vyskaTlacitka);
    m_btnOK->setGeometry(m_btnStorno->x() - n(MeziTlacitky) - tlacitko, nahore, tlacitko,
                         vyskaTlacitka);
    const QHeaderView* zahlavi = m_livJazyk->header();
    for (int i = 0; i < m_livJazyk->columnCount(); ++i)
        m_livJazyk->setColumnWidth(i, std::max(n(SirkySloupcu[i]), zahlavi->sectionSizeHint(i)));
}

void TJazykForm::VytvorSeznam() {
    m_livJazyk = new QTreeWidget(this);
    m_livJazyk->setObjectName(QStringLiteral("livJazyk"));
    m_livJazyk->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_livJazyk->setSelectionMode(QAbstractItemView::SingleSelection);
    m_livJazyk->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_livJazyk->setAllColumnsShowFocus(true);
    m_livJazyk->setRootIsDecorated(false);
    m_livJazyk->setItemsExpandable(false);
    m_livJazyk->setSortingEnabled(false);
    m_livJazyk->setUniformRowHeights(true);
    m_livJazyk->setIconSize(QSize(16, 16));

    // The chosen row must stay visible while the focus is on the buttons.
    QPalette paleta = m_livJazyk->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        paleta.setColor(QPalette::Inactive, role, paleta.color(QPalette::Active, role));
    m_livJazyk->setPalette(paleta);

    const QStringList sloupce{QStringLiteral("Jazyk"), QStringLiteral("Název"),
                              QStringLiteral("Verze"), QStringLiteral("Autor")};
    m_livJazyk->setColumnCount(static_cast<int>(sloupce.size()));
    m_livJazyk->setHeaderLabels(sloupce);
    m_livJazyk->header()->setSectionsMovable(false);
    for (int i = 0; i < sloupce.size(); ++i)
        NastavZnackuSloupce(m_livJazyk, i, ZnackaPreklad);
    m_livJazyk->headerItem()->setTextAlignment(SloupecVerze, Qt::AlignCenter);
    m_livJazyk->setItemDelegateForColumn(SloupecVerze, new TStredovyDelegat(m_livJazyk));
    NastavZnacku(m_livJazyk, ZnackaPreklad);

    connect(m_livJazyk, &QTreeWidget::itemSelectionChanged, this, &TJazykForm::livJazykSelectItem);
}

void TJazykForm::VytvorTlacitka() {
    m_btnOK = new QPushButton(QStringLiteral("OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setEnabled(false);
    NastavZnacku(m_btnOK, ZnackaPreklad);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);

    // Escape rejects the dialog on its own (QDialog), which is what Storno does.
    m_btnStorno = new QPushButton(QStringLiteral("Storno"), this);
    m_btnStorno->setObjectName(QStringLiteral("btnStorno"));
    NastavZnacku(m_btnStorno, ZnackaPreklad);
    connect(m_btnStorno, &QPushButton::clicked, this, &QDialog::reject);
}

void TJazykForm::livJazykSelectItem() {
    m_btnOK->setEnabled(!m_livJazyk->selectedItems().isEmpty());
}

std::optional<TVolbaJazyka> TJazykForm::Volba() const {
    const QList<QTreeWidgetItem*> vybrane = m_livJazyk->selectedItems();
    if (vybrane.isEmpty())
        return std::nullopt;
    QTreeWidgetItem* radek = vybrane.first();
    return TVolbaJazyka{radek->text(0).toStdU16String(), m_livJazyk->indexOfTopLevelItem(radek)};
}

std::optional<TVolbaJazyka> TJazykForm::Vyber(const TJazykXML& jazyk) {
    jazyk.NactiJazyky(*seznamJazyku_);
    return Zobraz();
}

std::optional<TVolbaJazyka> TJazykForm::Zobraz() {
    // NactiJazyky may leave the selection unchanged without a signal (an empty list).
    livJazykSelectItem();
    if (QTreeWidgetItem* radek = m_livJazyk->currentItem())
        m_livJazyk->scrollToItem(radek);
    m_livJazyk->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Volba();
}

void TJazykForm::changeEvent(QEvent* udalost) {
    QDialog::changeEvent(udalost);
    if (udalost->type() == QEvent::WindowTitleChange && m_livJazyk != nullptr)
        m_livJazyk->setAccessibleName(windowTitle());
}

void TJazykForm::setVisible(bool viditelny) {
    // QDialog centres itself over its parent only until it has been moved once; the dialog is
    // kept for the whole run and is to appear over the main window every time.
    if (viditelny && !isVisible()) {
        // A translation may have given the buttons longer captions.
        Rozmisti();
        setAttribute(Qt::WA_Moved, false);
    }
    QDialog::setVisible(viditelny);
}

} // namespace vantrel
