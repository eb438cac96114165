#include "benchdata.h"

#include "store/contactfile.h"
#include "store/contactline.h"

#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

namespace BenchData {

namespace {

// Common Italian surnames by initial; the length of each letter's list sets
// its share of the table, roughly as in a real telephone book.
const std::vector<std::vector<const char *>> Surnames = {
    {"Abate", "Aiello", "Albanese", "Alberti", "Amato", "Angelini", "Antonelli", "Arena"},
    {"Baldi", "Barbieri", "Barone", "Basile", "Bassi", "Battaglia", "Bellini", "Bellucci",
     "Benedetti", "Bernardi", "Bertolini", "Bianchi", "Bianco", "Bonetti", "Bonomi", "Borghi",
     "Brambilla", "Bruno"},
    {"Caputo", "Carbone", "Caruso", "Castelli", "Cattaneo", "Ceccarelli", "Cirillo", "Cocco",
     "Colombo", "Colonna", "Conti", "Coppola", "Corsi", "Cortese", "Costa", "Cristiani"},
    {"D'Amico", "D'Angelo", "Dal Molin", "Damiani", "De Luca", "De Rosa", "De Santis", "Di Marco",
     "Di Stefano", "Donati"},
    {"Ercoli", "Esposito", "Evangelista"},
    {"Fabbri", "Farina", "Ferrari", "Ferraro", "Ferri", "Fioravanti", "Fiore", "Fontana", "Franco",
     "Fumagalli", "Fusco"},
    {"Galli", "Gallo", "Gatti", "Gentile", "Giordano", "Giorgi", "Giuliani", "Grasso", "Greco",
     "Guerra", "Guidi"},
    {"Iacono", "Iannone", "Ingrassia", "Izzo"},
    {"Landi", "Lazzari", "Leone", "Lombardi", "Lombardo", "Longo", "Lorusso", "Lucchesi", "Lupo"},
    {"Mancini", "Marchetti", "Mariani", "Marino", "Martinelli", "Martini", "Mattei", "Mazza",
     "Mazzoni", "Mele", "Messina", "Milani", "Montanari", "Monti", "Morelli", "Moretti"},
    {"Napolitano", "Nardi", "Negri", "Neri", "Nicoletti", "Nobile", "Novelli"},
    {"Olivieri", "Orlando", "Orsini", "Ostuni", "Ottaviani"},
    {"Pace", "Pagano", "Palmieri", "Palumbo", "Parisi", "Pellegrini", "Pellegrino", "Piazza",
     "Piras", "Pozzi", "Proietti", "Pugliese"},
    {"Quaranta", "Quattrocchi"},
    {"Ricci", "Ricciardi", "Rinaldi", "Riva", "Rizzo", "Romano", "Rossetti", "Rossi", "Rota",
     "Ruggeri", "Ruggiero", "Russo"},
    {"Sacco", "Sala", "Salvi", "Sanna", "Santini", "Santoro", "Sartori", "Sergi", "Serra",
     "Silvestri", "Simone", "Sorrentino", "Spinelli"},
    {"Tedesco", "Testa", "Tommasi", "Torre", "Tosi", "Toscano", "Trevisan"},
    {"Ugolini", "Urso"},
    {"Valente", "Valentini", "Vecchi", "Venturi", "Vianello", "Villa", "Vitale", "Vitali", "Volpe"},
    {"Zanella", "Zanetti", "Zanon", "Zeni", "Zito"},
};

const std::vector<const char *> GivenNames = {
    "Alessandro", "Alessia",  "Andrea",    "Anna",    "Antonio",  "Chiara",   "Davide",   "Elena",
    "Elisa",      "Federica", "Francesca", "Giorgia", "Giovanni", "Giulia",   "Giuseppe", "Laura",
    "Lorenzo",    "Luca",     "Marco",     "Maria",   "Mario",    "Martina",  "Matteo",   "Paolo",
    "Roberto",    "Sara",     "Silvia",    "Simone",  "Stefano",  "Valentina"};

const std::vector<const char *> MobilePrefixes = {"320", "328", "333", "338", "339",
                                                  "340", "347", "348", "349"};
const std::vector<const char *> AreaCodes = {"010", "011", "02", "041", "045",
                                             "051", "055", "06", "081", "091"};

class Generator
{
public:
    explicit Generator(std::uint32_t seed) : m_random(seed) {}

    // The raw engine output is the same on every platform; the standard
    // distributions are not, so indices are taken modulo the size.
    template <typename T> const T &pick(const std::vector<T> &from)
    {
        return from[m_random() % from.size()];
    }

    QString digits(int count)
    {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + int(m_random() % 10));
        return text;
    }

    QString number()
    {
        if (m_random() % 2 == 0)
            return QString::fromLatin1(pick(MobilePrefixes)) + u' ' + digits(3) + u' ' + digits(4);
        return QString::fromLatin1(pick(AreaCodes)) + u' ' + digits(4) + u' ' + digits(4);
    }

    QString line(const char *surname)
    {
        return GlobalModule::FormatContactLine(QString::fromLatin1(surname),
                                               QString::fromLatin1(pick(GivenNames)), number());
    }

    const std::vector<const char *> &surnamesUnder(QChar letter)
    {
        for (const auto &names : Surnames) {
            if (QChar::fromLatin1(names.front()[0]) == letter)
                return names;
        }
        std::abort();
    }

    QStringList typical()
    {
        std::vector<const char *> all;
        for (const auto &names : Surnames)
            all.insert(all.end(), names.begin(), names.end());
        QStringList lines;
        for (int i = 0; i < ContactTotal; ++i)
            lines.append(line(pick(all)));
        return lines;
    }

private:
    std::mt19937 m_random;
};

constexpr std::uint32_t Seed = 20240611;

} // namespace

QStringList TypicalContacts()
{
    return Generator(Seed).typical();
}

QStringList OneLetterContacts(QChar letter)
{
    Generator generator(Seed);
    const auto &names = generator.surnamesUnder(letter);
    QStringList lines;
    for (int i = 0; i < ContactTotal; ++i)
        lines.append(generator.line(generator.pick(names)));
    return lines;
}

QStringList LinesUnder(const QStringList &lines, QChar letter)
{
    QStringList under;
    for (const QString &line : lines) {
        if (line.startsWith(letter))
            under.append(line);
    }
    return under;
}

QChar TypicalLetter(const QStringList &lines)
{
    constexpr int typical = 60;
    QChar best = u'A';
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        const auto distance = [&](QChar l) {
            return std::abs(LinesUnder(lines, l).size() - typical);
        };
        if (distance(letter) < distance(best))
            best = letter;
    }
    return best;
}

QByteArray DataFile(const QStringList &lines)
{
    return ContactFile::format(lines);
}

} // namespace BenchData
