#include "print/PrintSystem.h"

#include "core/Faults.h"
#include "print/LpJob.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSize>
#include <QTemporaryFile>
#include <QTextStream>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vlnokan {

namespace {

// The scheduler's address as the CUPS clients find it: CUPS_SERVER, else the ServerName of the
// user's and then the system's client.conf, else the local socket.
QString schedulerAddress() {
    const QString fromEnvironment = qEnvironmentVariable("CUPS_SERVER");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    for (const QString& path :
         {QDir::homePath() + "/.cups/client.conf", QStringLiteral("/etc/cups/client.conf")}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        QTextStream lines(&file);
        while (!lines.atEnd()) {
            const QStringList words = lines.readLine().simplified().split(' ');
            if (words.size() >= 2 && words[0].compare("ServerName", Qt::CaseInsensitive) == 0)
                return words[1];
        }
    }
    return QStringLiteral("/run/cups/cups.sock");
}

#ifdef MSG_NOSIGNAL
constexpr int noSignal = MSG_NOSIGNAL;
#else
constexpr int noSignal = 0;
#endif

// Sockets are not handed on to the programs this one starts (lp).
int openSocket(int family, int type) {
#ifdef SOCK_CLOEXEC
    return ::socket(family, type | SOCK_CLOEXEC, 0);
#else
    const int fd = ::socket(family, type, 0);
    if (fd >= 0)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    return fd;
#endif
}

// A connection to the scheduler: fd is the connected socket (to be closed by the caller) when
// the result is 0, else the result is the system's error code.
int connectToScheduler(const QString& address, int& fd) {
    fd = -1;
    if (address.startsWith('/')) {
        const QByteArray path = QFile::encodeName(address);
        sockaddr_un where{};
        where.sun_family = AF_UNIX;
        if (std::size_t(path.size()) >= sizeof where.sun_path)
            return ENAMETOOLONG;
        std::memcpy(where.sun_path, path.constData(), std::size_t(path.size()));
        fd = openSocket(AF_UNIX, SOCK_STREAM);
        if (fd < 0)
            return errno;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0)
            return 0;
        const int error = errno;
        ::close(fd);
        fd = -1;
        return error;
    }
    QString host = address;
    QString port = QStringLiteral("631");
    const qsizetype colon = address.lastIndexOf(':');
    if (colon > 0 && !address.endsWith(']')) {
        host = address.left(colon);
        port = address.mid(colon + 1);
    }
    host.remove('[').remove(']');
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.toLocal8Bit().constData(), port.toLocal8Bit().constData(), &hints,
                      &found) != 0)
        return EHOSTUNREACH;
    int error = ECONNREFUSED;
    for (addrinfo* each = found; each && error; each = each->ai_next) {
        fd = openSocket(each->ai_family, each->ai_socktype);
        if (fd < 0) {
            error = errno;
            continue;
        }
        error = ::connect(fd, each->ai_addr, each->ai_addrlen) == 0 ? 0 : errno;
        if (error) {
            ::close(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(found);
    return error;
}

// Connects to the scheduler once, so that its absence can be told apart from a missing default
// printer: 0 when it answers, else the system's error code.
int schedulerConnectError(const QString& address) {
    int fd = -1;
    const int error = connectToScheduler(address, fd);
    if (fd >= 0)
        ::close(fd);
    return error;
}

// The queue's description (its PPD) as the scheduler hands it out; empty when it has none or
// does not answer within a few seconds.
QByteArray queueDescription(const QString& name) {
    int fd = -1;
    if (connectToScheduler(schedulerAddress(), fd) != 0)
        return {};
    // HTTP/1.0: the answer comes whole, not in chunks, and ends when the scheduler closes.
    const QByteArray request = "GET /printers/" + QUrl::toPercentEncoding(name) +
                               ".ppd HTTP/1.0\r\nHost: localhost\r\n\r\n";
    QByteArray answer;
    if (::send(fd, request.constData(), std::size_t(request.size()), noSignal) == request.size()) {
        char buffer[8192];
        pollfd ready{fd, POLLIN, 0};
        while (answer.size() < (16 << 20) && ::poll(&ready, 1, 3000) > 0) {
            const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            answer.append(buffer, got);
        }
    }
    ::close(fd);
    const qsizetype body = answer.indexOf("\r\n\r\n");
    if (!answer.startsWith("HTTP/1.") || answer.mid(9, 3) != "200" || body < 0)
        return {};
    return answer.mid(body + 4);
}

// The resolution the queue prints at unless told otherwise: its description's
// DefaultResolution ("600dpi", "600x300dpi", in dots per centimetre "240dpcm"); empty when it
// names none.
QSize defaultResolution(const QByteArray& description) {
    static const QRegularExpression line(
        QStringLiteral("^\\*DefaultResolution:\\s*(\\d+)(?:x(\\d+))?(dpi|dpcm)\\s*$"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromLatin1(description));
    if (!match.hasMatch())
        return {};
    const int x = match.captured(1).toInt();
    const int y = match.captured(2).isEmpty() ? x : match.captured(2).toInt();
    if (x <= 0 || y <= 0 || x > 100000 || y > 100000)
        return {};
    // 1 inch = 2.54 cm, to the nearest whole dot per inch.
    if (match.captured(3) == QLatin1String("dpcm"))
        return {(x * 254 + 50) / 100, (y * 254 + 50) / 100};
    return {x, y};
}

// A CUPS queue. The page is drawn into a PDF file laid out like the queue's own page: its
// default resolution, its paper, the picture at the corner of its printable area. lp then hands
// the file to the scheduler, which lets the print system's refusals be seen.
class CupsPrinter final : public PrinterDevice {
public:
    explicit CupsPrinter(const QPrinterInfo& info)
        : m_name(info.printerName()), m_queue(info, QPrinter::HighResolution) {
        // Qt offers the finest resolution the queue lists; the queue prints at its default.
        const QSize resolution = defaultResolution(queueDescription(m_name));
        // A page has one resolution: with two, the finer axis is printed at the coarser one,
        // so the picture keeps its proportions and its pixels are never larger than on screen.
        m_dpi = resolution.isEmpty() ? m_queue.resolution()
                                     : std::min(resolution.width(), resolution.height());
    }

    bool valid() const { return m_queue.isValid() && m_dpi > 0; }
    int dotsPerInchX() const override { return m_dpi; }
    int dotsPerInchY() const override { return m_dpi; }

    QPaintDevice* startDocument(const QString& name) override {
        m_file = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/vlnokan-XXXXXX.pdf");
        if (!m_file->open())
            return nullptr;
        m_file->close();
        m_page = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_page->setOutputFormat(QPrinter::PdfFormat);
        m_page->setOutputFileName(m_file->fileName());
        m_page->setResolution(m_dpi);
        // The queue's printable area, without Qt's own margins of 10 points inside it.
        QPageLayout layout = m_queue.pageLayout();
        layout.setMargins(layout.minimumMargins());
        m_page->setPageLayout(layout);
        m_page->setFullPage(false);
        m_page->setDocName(name);
        m_title = name;
        m_failure.clear();
        return m_page.get();
    }

    bool sendDocument() override {
        if (!m_file)
            return false;
        const LpOutcome outcome = sendWithLp(m_name, m_title, m_file->fileName());
        const bool sent = outcome.accepted;
        if (!sent)
            m_failure = lpReason(outcome);
        m_page.reset();
        m_file.reset();
        return sent;
    }

    QString sendFailure() const override { return m_failure; }

private:
    // What lp said about the refusal, without its own name in front.
    static QString lpReason(const LpOutcome& outcome) {
        if (!outcome.started)
            return outcome.startError;
        QString reason = outcome.complaint;
        // lp names itself as it was started, "/usr/bin/lp: ...".
        const qsizetype colon = reason.indexOf(QLatin1String(": "));
        if (colon > 0 && reason.left(colon).endsWith(QLatin1String("lp")))
            reason.remove(0, colon + 2);
        return reason;
    }

    QString m_name;
    QPrinter m_queue;
    int m_dpi = 0;
    QString m_title;
    QString m_failure;
    std::unique_ptr<QTemporaryFile> m_file;
    std::unique_ptr<QPrinter> m_page;
};

} // namespace

QString CupsPrintSystem::defaultPrinter() {
    const QString name = QPrinterInfo::defaultPrinterName();
    if (!name.isEmpty())
        return name;
    if (const int error = schedulerConnectError(schedulerAddress()))
        throw EOSError(error, std::strerror(error));
    return {};
}

std::unique_ptr<PrinterDevice> CupsPrintSystem::open(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<CupsPrinter>(info);
    if (!printer->valid())
        return nullptr;
    return printer;
}

} // namespace vlnokan
