#include "CaseFileScan.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

constexpr qint64 ChunkSize = 64 * 1024;

// The encoding a reader takes for a file starting with `head`: a byte order
// mark, the zero bytes of UTF-16 text, the declaration, else UTF-8.
QString encodingOf(const QByteArray &head)
{
    auto startsWith = [&head](std::initializer_list<unsigned char> bytes) {
        if (head.size() < qsizetype(bytes.size()))
            return false;
        qsizetype i = 0;
        for (const unsigned char b : bytes) {
            if (static_cast<unsigned char>(head.at(i++)) != b)
                return false;
        }
        return true;
    };
    if (startsWith({0xEF, 0xBB, 0xBF}))
        return QStringLiteral("UTF-8");
    if (startsWith({0xFF, 0xFE, 0x00, 0x00}))
        return QStringLiteral("UTF-32LE");
    if (startsWith({0x00, 0x00, 0xFE, 0xFF}))
        return QStringLiteral("UTF-32BE");
    if (startsWith({0xFF, 0xFE}) || startsWith({'<', 0x00}))
        return QStringLiteral("UTF-16LE");
    if (startsWith({0xFE, 0xFF}) || startsWith({0x00, '<'}))
        return QStringLiteral("UTF-16BE");
    if (head.startsWith("<?xml")) {
        const qsizetype end = head.indexOf("?>");
        const QString declaration = QString::fromLatin1(head.left(end < 0 ? qMin<qsizetype>(head.size(), 1024) : end));
        static const QRegularExpression encoding(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
        const QRegularExpressionMatch match = encoding.match(declaration);
        if (match.hasMatch())
            return match.captured(1);
    }
    return QStringLiteral("UTF-8");
}

// Just enough of XML to tell start tags and their attributes from text,
// comments, CDATA sections, processing instructions and the document type
// declaration, fed in pieces of any size.
class MarkupCounter
{
public:
    explicit MarkupCounter(CaseFileScan *scan) : m_scan(scan) {}

    qint64 line() const { return m_line; }
    bool overloaded() const { return m_scan->overloaded; }

    void feed(QStringView text)
    {
        qsizetype i = 0;
        while (i < text.size() && !m_scan->overloaded) {
            // Text, quoted values, comments and CDATA are most of a file: they
            // end only at one character, found at once.
            const char16_t stop = runEnd();
            if (stop) {
                const qsizetype found = text.indexOf(QChar(stop), i);
                const qsizetype end = found < 0 ? text.size() : found;
                pass(text.mid(i, end - i));
                i = end;
                if (found < 0)
                    break;
            }
            const char16_t c = text.at(i++).unicode();
            if (c == u'\n')
                ++m_line;
            step(c);
        }
    }

private:
    // The one character a run of the current state can end at; 0 when every
    // character counts.
    char16_t runEnd() const
    {
        switch (m_state) {
        case Text: return u'<';
        case Quoted: return m_quote;
        case Comment:
        case CData:
        case Instruction: return u'>';
        default: return 0;
        }
    }

    // Characters that change nothing but the line and what came last.
    void pass(QStringView run)
    {
        m_line += run.count(QLatin1Char('\n'));
        if (run.size() >= 2) {
            m_last[0] = run.at(run.size() - 2).unicode();
            m_last[1] = run.last().unicode();
        } else if (run.size() == 1) {
            m_last[0] = m_last[1];
            m_last[1] = run.first().unicode();
        }
    }

    enum State { Text, TagOpen, Bang, StartTag, Quoted, EndTag, Comment, CData, Instruction, Declaration };

    void step(char16_t c)
    {
        switch (m_state) {
        case Text:
            if (c == u'<')
                m_state = TagOpen;
            break;
        case TagOpen:
            if (c == u'/') {
                m_state = EndTag;
            } else if (c == u'?') {
                m_state = Instruction;
            } else if (c == u'!') {
                m_state = Bang;
                m_bang.clear();
            } else {
                m_state = StartTag;
                m_attributes = 0;
                m_name.clear();
                m_nameEnded = false;
                m_tagLine = m_line;
            }
            break;
        case Bang:
            m_bang += QChar(c);
            if (m_bang == QLatin1String("--")) {
                enterComment(Text);
            } else if (m_bang == QLatin1String("[CDATA[")) {
                m_state = CData;
            } else if (!QStringView(u"--").startsWith(m_bang) && !QStringView(u"[CDATA[").startsWith(m_bang)) {
                m_state = Declaration;
                m_depth = 0;
                m_quote = 0;
                m_recent.clear();
                declarationStep(c);
            }
            break;
        case StartTag:
            if (c == u'"' || c == u'\'') {
                m_quote = c;
                m_state = Quoted;
            } else if (c == u'=') {
                ++m_attributes;
                if (m_name.startsWith(QLatin1String("xmlns")))
                    ++m_namespaces;
                m_name.clear();
                m_nameEnded = false;
            } else if (c == u'>') {
                endStartTag();
            } else if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'/') {
                m_nameEnded = true; // white space may stand before the "="
            } else {
                if (m_nameEnded)
                    m_name.clear();
                m_nameEnded = false;
                if (m_name.size() < 8)
                    m_name += QChar(c);
            }
            break;
        case Quoted:
            if (c == m_quote) {
                m_state = StartTag;
                m_name.clear();
            }
            break;
        case EndTag:
            if (c == u'>')
                m_state = Text;
            break;
        case Comment:
        case CData:
            if (c == u'>' && m_last[0] == m_last[1] && m_last[1] == (m_state == Comment ? u'-' : u']'))
                m_state = m_state == Comment ? m_afterComment : Text;
            break;
        case Instruction:
            if (c == u'>' && m_last[1] == u'?')
                m_state = Text;
            break;
        case Declaration:
            declarationStep(c);
            break;
        }
        m_last[0] = m_last[1];
        m_last[1] = c;
    }

    // The document type declaration with its internal subset: quoted texts
    // and comments there may hold any brackets.
    void declarationStep(char16_t c)
    {
        if (m_quote) {
            if (c == m_quote)
                m_quote = 0;
            return;
        }
        m_recent = m_recent.right(3) + QChar(c);
        if (m_recent == QLatin1String("<!--")) {
            enterComment(Declaration);
            m_recent.clear();
            return;
        }
        if (c == u'"' || c == u'\'')
            m_quote = c;
        else if (c == u'[')
            ++m_depth;
        else if (c == u']')
            --m_depth;
        else if (c == u'>' && m_depth <= 0)
            m_state = Text;
    }

    void enterComment(State after)
    {
        m_state = Comment;
        m_afterComment = after;
        // "<!--->" is not a comment's end: the dashes of its start don't count.
        m_last[0] = m_last[1] = 0;
    }

    void endStartTag()
    {
        m_state = Text;
        m_work += m_attributes * m_attributes;
        if (m_work > CaseFileAttributeBudget || m_namespaces > CaseFileNamespaceBudget) {
            m_scan->overloaded = true;
            m_scan->overloadedLine = m_tagLine;
            m_scan->overloadedCount = m_attributes;
        }
    }

    CaseFileScan *m_scan;
    State m_state = Text;
    State m_afterComment = Text;
    QString m_bang;
    QString m_name;
    QString m_recent;
    char16_t m_quote = 0;
    char16_t m_last[2] = {0, 0};
    bool m_nameEnded = false;
    int m_depth = 0;
    qint64 m_line = 1;
    qint64 m_tagLine = 1;
    qint64 m_attributes = 0;
    qint64 m_namespaces = 0;
    qint64 m_work = 0;
};

} // namespace

CaseFileScan scanCaseFile(QIODevice *device)
{
    CaseFileScan scan;
    QByteArray chunk = device->read(ChunkSize);
    scan.encoding = encodingOf(chunk);
    const std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForName(scan.encoding.toLatin1().constData());
    if (!encoding) {
        scan.encodingKnown = false;
        return scan;
    }
    QStringDecoder decoder(*encoding);
    MarkupCounter counter(&scan);
    while (!chunk.isEmpty()) {
        // A file that grows while it is read, or says it is smaller than it
        // is, stops here too.
        scan.bytes += chunk.size();
        if (scan.bytes > CaseFileSizeLimit) {
            scan.tooLarge = true;
            break;
        }
        const QString text = decoder.decode(chunk);
        if (scan.encodingValid && decoder.hasError()) {
            scan.encodingValid = false;
            // The first replacement character marks the spot.
            const qsizetype bad = text.indexOf(QChar(QChar::ReplacementCharacter));
            scan.invalidLine = counter.line() + (bad < 0 ? 0 : text.left(bad).count(QLatin1Char('\n')));
        }
        counter.feed(text);
        if (counter.overloaded())
            break;
        chunk = device->read(ChunkSize);
    }
    return scan;
}
