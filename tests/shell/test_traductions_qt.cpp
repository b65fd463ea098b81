// Qt's own texts in French, whatever the session's language: the confirmation box and the file
// dialog of the dialog service, the print preview's title. Run here and once more under
// LANG=C.UTF-8.
#include <QApplication>
#include <QDialogButtonBox>
#include <QTemporaryDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "commun.h"
#include "platform/plateforme.h"
#include "platform/traductions_qt.h"
#include "shell/startup/depart.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Reads the next modal dialog of a kind once it shows, then closes it as a user cancelling does.
template <class Dialogue>
class Lecture {
public:
    explicit Lecture(std::function<void(Dialogue*)> lire)
    {
        minuterie_.setInterval(50);
        QObject::connect(&minuterie_, &QTimer::timeout, [this, lire] {
            auto* d = qobject_cast<Dialogue*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible())
                return;
            minuterie_.stop();
            lire(d);
            QTest::keyClick(d, Qt::Key_Escape);
        });
        minuterie_.start();
    }

private:
    QTimer minuterie_;
};

// Qt's French texts go with the application: removed, they leave the next test as it was.
void oublierTraductions()
{
    for (QTranslator* t : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

QString texte(QWidget* parent, const char* nom)
{
    auto* l = parent->findChild<QLabel*>(QString::fromLatin1(nom));
    return l ? l->text() : QString();
}

} // namespace

TEST(TraductionsQt, BoitesEtDialoguesEnFrancais)
{
    ASSERT_TRUE(TraductionsQt::installer());
    auto dialogues = creerDialoguesLinux();

    QStringList boutons;
    {
        Lecture<QMessageBox> lecture([&](QMessageBox* b) {
            for (QAbstractButton* bouton : b->buttons())
                boutons << bouton->text();
        });
        EXPECT_FALSE(dialogues->message(u"Supprimer ce CV ?"_qs, true));
    }
    boutons.sort();
    EXPECT_EQ(boutons, (QStringList{u"Annuler"_qs, u"OK"_qs}));

    QStringList libelles;
    QString ouvrir;
    {
        Lecture<QFileDialog> lecture([&](QFileDialog* d) {
            libelles << texte(d, "lookInLabel") << texte(d, "fileNameLabel") << texte(d, "fileTypeLabel");
            if (auto* b = d->findChild<QDialogButtonBox*>(u"buttonBox"_qs))
                ouvrir = b->button(QDialogButtonBox::Open)->text();
        });
        QTemporaryDir dossier;
        EXPECT_EQ(dialogues->ouvrirFichier(u"Ouvrir un CV"_qs, dossier.path(), u"CV (*.dat)"_qs), QString());
    }
    EXPECT_EQ(libelles, (QStringList{u"Voir dans :"_qs, u"&Nom de fichier :"_qs, u"Fichiers de type :"_qs}));
    EXPECT_EQ(ouvrir, u"&Ouvrir"_qs);

    QPrinter imprimante;
    EXPECT_EQ(QPrintPreviewDialog(&imprimante).windowTitle(), u"Aperçu avant impression"_qs);

    oublierTraductions();
}

class TraductionsAuDemarrage : public TestCoquille {};

TEST_F(TraductionsAuDemarrage, LeDemarrageLesChargeUneFois)
{
    DossierTemporaire dossier;
    creerRegistre(dossier.chemin(u"Kerval.mdb"_qs));
    ASSERT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Cancel"_qs);
    Depart::demarrer();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Annuler"_qs);
    EXPECT_TRUE(TraductionsQt::installer());
    EXPECT_EQ(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly).size(), 1);
    RegistreFenetres::instance().toutDecharger();
    oublierTraductions();
}

TEST(TraductionsQtLocale, SousLangCUtf8)
{
    if (!qEnvironmentVariableIsEmpty("KERVAL_LOCALE_SYSTEME"))
        GTEST_SKIP() << "this is the child run";
    Outils::relancerSousCUtf8(u"TraductionsQt.*"_qs);
}
