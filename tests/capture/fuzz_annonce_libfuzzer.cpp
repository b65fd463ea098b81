// Coverage-guided fuzzing of the advertisement analyser with libFuzzer. Compiled only when
// KERVAL_LIBFUZZER is defined (the test program sees an empty file). By hand, from the source root:
//   clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fPIC -DQT_FORCE_ASSERTS \
//     -DKERVAL_LIBFUZZER $(pkg-config --cflags Qt6Core) -I. tests/capture/fuzz_annonce_libfuzzer.cpp \
//     register/capture/analyseur_annonce.cpp register/capture/raccourcir_texte.cpp \
//     register/capture/vocabulaire_annonce.cpp shell/services/fonctionnel.cpp \
//     $(pkg-config --libs Qt6Core) -o fuzz_annonce
//   ./fuzz_annonce -max_total_time=300 -max_len=16384 corpus/
// QT_FORCE_ASSERTS turns every out-of-range QString/QList index into an abort.
#ifdef KERVAL_LIBFUZZER
#include "register/capture/analyseur_annonce.h"
#include "register/capture/raccourcir_texte.h"

#include <QLocale>
#include <cstdint>

// First byte: bit 0 turns line ends into CR LF, bit 1 fills every field before, bit 2 gives the
// company "N.C.", bit 3 takes the start of the text for the page address. The rest: UTF-8 text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    static const bool pret = [] {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        return true;
    }();
    (void)pret;
    if (taille == 0)
        return 0;
    const uint8_t choix = donnees[0];
    QString texte = QString::fromUtf8(reinterpret_cast<const char*>(donnees + 1), qsizetype(taille - 1));
    if (choix & 1) {
        texte.replace(u"\r\n"_qs, u"\n"_qs);
        texte.replace(u"\n"_qs, u"\r\n"_qs);
    }
    ChampsCandidature avant;
    if (choix & 2)
        for (const QString& champ : Annonce::ChampsAnalyses())
            avant.insert(champ, u"x"_qs);
    if (choix & 4)
        avant.insert(u"Societe"_qs, u"N.C."_qs);
    const QString adresse = (choix & 8) ? texte.left(60) : u"about:blank"_qs;
    const ChampsCandidature r = Annonce::AnalyserAnnonce(texte, avant, adresse, QDate(2025, 3, 15));
    Annonce::RaccourcirTexte(texte.left(80));
    return r.isEmpty() ? 0 : 0;
}
#endif
