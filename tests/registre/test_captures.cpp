// Pictures of the register window for a look by eye, not run by default:
//   KERVAL_CAPTURES=<folder> test_registre --gtest_also_run_disabled_tests --gtest_filter='*Captures*'
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QRadioButton>

#include "fenetre_registre.h"
#include "register/web/cadre_web.h"

namespace {

QString dossierCaptures() { return qEnvironmentVariable("KERVAL_CAPTURES"); }

void capturer(QWidget* w, const QString& nom)
{
    QDir().mkpath(dossierCaptures());
    w->grab().save(QDir(dossierCaptures()).filePath(nom + u".png"_qs));
}

TEST(DISABLED_Captures, RegistreVide)
{
    if (dossierCaptures().isEmpty())
        GTEST_SKIP();
    FenetreRegistre r;
    r.f->show();
    r.f->resize(1010, 650);
    capturer(r.f, u"registre-vide"_qs);
}

} // namespace
