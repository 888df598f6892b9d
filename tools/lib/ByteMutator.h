#ifndef BYTEMUTATOR_H
#define BYTEMUTATOR_H

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QRandomGenerator>

// Damages byte strings the way a faulty peer, a cut transfer or a bad disk
// would: flipped bits, overwritten, inserted, removed, cut or repeated bytes.
// Seeded, so every run of a robustness test feeds the same inputs.
class ByteMutator
{
public:
    explicit ByteMutator(quint32 seed) : m_Random(seed) {}

    int Below(int bound) { return bound <= 0 ? 0 : int(m_Random.bounded(quint32(bound))); }
    char Byte() { return char(m_Random.bounded(256u)); }

    QByteArray Random(int maxLength)
    {
        QByteArray out(Below(maxLength + 1), '\0');
        for (char& c : out)
            c = Byte();
        return out;
    }

    // One to `maxEdits` random edits of `source`.
    QByteArray Mutate(const QByteArray& source, int maxEdits = 4)
    {
        QByteArray out = source;
        const int edits = 1 + Below(maxEdits);
        for (int i = 0; i < edits; ++i) {
            switch (Below(8)) {
            case 0: // flip one bit
                if (!out.isEmpty()) {
                    const int at = Below(out.size());
                    out[at] = char(out.at(at) ^ (1 << Below(8)));
                }
                break;
            case 1: // overwrite a byte, often with an extreme
                if (!out.isEmpty()) {
                    static const char extremes[] = {'\0', '\x7F', '\x80', '\xFF', '\n', '=', '<', '['};
                    out[Below(out.size())] = Below(2) ? Byte() : extremes[Below(8)];
                }
                break;
            case 2: // cut
                out.truncate(Below(out.size() + 1));
                break;
            case 3: // extend
                out.append(Random(Below(2) ? 8 : 300));
                break;
            case 4: // insert
                out.insert(Below(out.size() + 1), Random(16));
                break;
            case 5: // remove a range
                if (!out.isEmpty()) {
                    const int at = Below(out.size());
                    out.remove(at, 1 + Below(qMin(32, out.size() - at)));
                }
                break;
            case 6: // repeat a range
                if (!out.isEmpty()) {
                    const int at = Below(out.size());
                    const QByteArray part = out.mid(at, 1 + Below(64));
                    out.insert(Below(out.size() + 1), part.repeated(1 + Below(4)));
                }
                break;
            default: // swap two bytes
                if (out.size() > 1) {
                    const int a = Below(out.size());
                    const int b = Below(out.size());
                    const char c = out.at(a);
                    out[a] = out.at(b);
                    out[b] = c;
                }
                break;
            }
        }
        return out;
    }

    // Text of "key=value" lines with some values replaced by extremes, some
    // lines dropped or doubled, then damaged bytes.
    QByteArray MutateLines(const QByteArray& source)
    {
        static const char* const values[] = {"", "-1", "0", "2147483647", "-2147483648", "4294967296",
                                             "99999999999999999999", "1e308", "abc", "0x7FFFFFFF", "FFFFFFFFH",
                                             "\"", "[", "9999", "65536", "-9999"};
        QList<QByteArray> lines = source.split('\n');
        const int edits = 1 + Below(4);
        for (int i = 0; i < edits && !lines.isEmpty(); ++i) {
            const int at = Below(lines.size());
            const int eq = lines.at(at).indexOf('=');
            switch (Below(4)) {
            case 0:
                lines.removeAt(at);
                break;
            case 1:
                lines.insert(at, lines.at(at));
                break;
            default:
                if (eq >= 0)
                    lines[at] = lines.at(at).left(eq + 1) + values[Below(16)];
                break;
            }
        }
        QByteArray out = lines.join('\n');
        return Below(3) == 0 ? Mutate(out) : out;
    }

private:
    QRandomGenerator m_Random;
};

#endif // BYTEMUTATOR_H
