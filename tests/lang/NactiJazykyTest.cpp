#include "lang/JazykyXML.h"
#include "lang/SeznamJazykuQt.h"
#include "lang/VelikostPismen.h"
#include "lang/XmlDokument.h"

#include <QApplication>
#include <QPixmap>
#include <QSignalSpy>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace vantrel;

namespace {

QList<QIcon> Vlajky() {
    QList<QIcon> vlajky;
    const QColor barvy[] = {Qt::white, Qt::blue, Qt::green, Qt::black, Qt::cyan, Qt::yellow};
    for (const QColor& barva : barvy) {
        QPixmap p(16, 16);
        p.fill(barva);
        vlajky.append(QIcon(p));
    }
    return vlajky;
}

QColor BarvaIkony(const QIcon& ikona) {
    return ikona.pixmap(16, 16).toImage().pixelColor(8, 8);
}

class NactiJazykyTest : public ::testing::Test {
protected:
    NactiJazykyTest() {
        seznam.setColumnCount(4);
        seznam.setSelectionMode(QAbstractItemView::SingleSelection);
    }
    void Nacti(const QByteArray& jazyky) {
        dokument = ParsujDokumentJazyka(
            "<vtrl>\n  <HlavniForm/>\n  <JAZYKY>\n" + jazyky + "\n  </JAZYKY>\n</vtrl>\n", "test");
        jazyk.Dokument = &dokument;
    }
    QStringList Radek(int i) const {
        QStringList texty;
        for (int s = 0; s < 4; ++s)
            texty << seznam.topLevelItem(i)->text(s);
        return texty;
    }
    TDokumentJazyka dokument;
    TJazykXML jazyk;
    QTreeWidget seznam;
    const QList<QIcon> vlajky = Vlajky();
};

const QByteArray TriJazyky = R"(
    <!-- first the native language -->
    <CZ index="0">
      <nazev>Čeština</nazev>
      <verze>3.0</verze>
      <autor>Tarsk</autor>
    </CZ>
    <?pi ignored?>
    <DE index="3"><n>Deutsch</n><v>1.1</v><a>Jemand</a></DE>
    <XX index="9"><n>Neznámý</n><v/><a><![CDATA[<nikdo>]]></a></XX>)";

TEST_F(NactiJazykyTest, OneRowPerLanguage) {
    Nacti(TriJazyky);
    NactiJazyky(jazyk, seznam, vlajky);
    ASSERT_EQ(seznam.topLevelItemCount(), 3);
    EXPECT_EQ(Radek(0), QStringList({"CZ", "Čeština", "3.0", "Tarsk"}));
    EXPECT_EQ(Radek(1), QStringList({"DE", "Deutsch", "1.1", "Jemand"}));
    EXPECT_EQ(Radek(2), QStringList({"XX", "Neznámý", "", "<nikdo>"}));

    // The flag follows the attribute, not the row's position.
    struct Pripad {
        int radek;
        int index;
        bool maIkonu;
        QColor barva;
    };
    const Pripad pripady[] = {{0, 0, true, Qt::white}, {1, 3, true, Qt::black}, {2, 9, false, {}}};
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.radek);
        const QTreeWidgetItem* r = seznam.topLevelItem(p.radek);
        EXPECT_EQ(r->data(0, RoleIndexVlajky).toInt(), p.index);
        EXPECT_EQ(!r->icon(0).isNull(), p.maIkonu);
        if (p.maIkonu) {
            EXPECT_EQ(BarvaIkony(r->icon(0)), p.barva);
        }
    }
}

TEST_F(NactiJazykyTest, ChildNodesTakenByPositionWhateverTheirKind) {
    Nacti(R"(<EN index=" 1 ">English<!--1.0--><?autor Tarsk?></EN>)");
    NactiJazyky(jazyk, seznam, vlajky);
    ASSERT_EQ(seznam.topLevelItemCount(), 1);
    EXPECT_EQ(Radek(0), QStringList({"EN", "English", "1.0", "Tarsk"}));
}

TEST_F(NactiJazykyTest, PreselectionIgnoresCase) {
    struct Pripad {
        const char* kod;
        int vybrany;
    };
    const Pripad pripady[] = {{"CZ", 0}, {"cz", 0}, {"De", 1}, {"EN", -1}, {"", -1}};
    Nacti(TriJazyky);
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.kod);
        jazyk.KodJazyka = QString::fromUtf8(p.kod).toStdU16String();
        QSignalSpy zmeny(&seznam, &QTreeWidget::itemSelectionChanged);
        NactiJazyky(jazyk, seznam, vlajky);
        const QList<QTreeWidgetItem*> vybrane = seznam.selectedItems();
        if (p.vybrany < 0) {
            EXPECT_TRUE(vybrane.isEmpty());
        } else {
            ASSERT_EQ(vybrane.size(), 1);
            EXPECT_EQ(vybrane.first(), seznam.topLevelItem(p.vybrany));
            EXPECT_GE(zmeny.count(), 1);
        }
    }
    // The code itself is left alone: the caller takes the row's caption on OK.
    EXPECT_EQ(jazyk.KodJazyka, u"");
}

// Letters' case is folded as Qt's comparison folds it, for every code point.
TEST(CaseFolding, EveryCodePointFoldsAsQtFoldsIt) {
    int jinak = 0;
    for (char32_t znak = 0; znak <= 0x10FFFF; ++znak) {
        if (SlozVelikost(znak) != QChar::toCaseFolded(znak) && ++jinak <= 5)
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(znak);
    }
    EXPECT_EQ(jinak, 0);
    EXPECT_TRUE(StejneAzNaVelikost(u"\u010Cj\U00010400", u"\u010Dj\U00010428"));
    EXPECT_FALSE(StejneAzNaVelikost(u"CZ", u"CZE"));
    EXPECT_FALSE(StejneAzNaVelikost(u"\u00DF", u"ss"));
}

// Refilling deselects the old row with a notification, so the dialog's OK button follows.
TEST_F(NactiJazykyTest, ClearsOldRowsAndSelection) {
    Nacti(TriJazyky);
    NactiJazyky(jazyk, seznam, vlajky);
    ASSERT_EQ(seznam.selectedItems().size(), 1);
    TJazykXML bezDokumentu;
    QSignalSpy zmeny(&seznam, &QTreeWidget::itemSelectionChanged);
    NactiJazyky(bezDokumentu, seznam, vlajky);
    EXPECT_EQ(seznam.topLevelItemCount(), 0);
    EXPECT_GE(zmeny.count(), 1);

    dokument = ParsujDokumentJazyka("<vtrl><HlavniForm/></vtrl>", "t");
    NactiJazyky(jazyk, seznam, vlajky);
    EXPECT_EQ(seznam.topLevelItemCount(), 0);
}

TEST_F(NactiJazykyTest, FaultyDescriptionStopsFilling) {
    struct Pripad {
        const char* popis;
        const char* jazyk;
        const char* vZprave;
    };
    const Pripad pripady[] = {
        {"no index", "<EN><a>1</a><b>2</b><c>3</c></EN>", "index"},
        {"not a number", "<EN index=\"jedna\"><a>1</a><b>2</b><c>3</c></EN>", "jedna"},
        {"not whole", "<EN index=\"1.5\"><a>1</a><b>2</b><c>3</c></EN>", "1.5"},
        {"two children", "<EN index=\"1\"><a>1</a><b>2</b></EN>", "three"},
        {"no children", "<EN index=\"1\"/>", "three"},
        {"nested element", "<EN index=\"1\"><a>1</a><b><i>2</i></b><c>3</c></EN>",
         "Element does not contain a single text node"},
    };
    const QByteArray dobry = "<CZ index=\"0\"><a>Čeština</a><b>1</b><c>T</c></CZ>";
    const QByteArray dalsi = "<SK index=\"2\"><a>Slovenčina</a><b>1</b><c>T</c></SK>";
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        Nacti(dobry + p.jazyk + dalsi);
        try {
            NactiJazyky(jazyk, seznam, vlajky);
            ADD_FAILURE() << "no error";
        } catch (const EChybaJazyka& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QString::fromUtf8(p.vZprave)))
                << e.what();
        }
        ASSERT_EQ(seznam.topLevelItemCount(), 1);
        EXPECT_EQ(seznam.topLevelItem(0)->text(0), QStringLiteral("CZ"));
    }
}

} // namespace
