#include "print/PrintSystem.h"

#include "core/Faults.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <QTextStream>

#include <cerrno>
#include <cstring>
#include <netdb.h>
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

// Connects to the scheduler once, so that its absence can be told apart from a missing default
// printer: 0 when it answers, else the system's error code.
int schedulerConnectError(const QString& address) {
    if (address.startsWith('/')) {
        const QByteArray path = QFile::encodeName(address);
        sockaddr_un where{};
        where.sun_family = AF_UNIX;
        if (std::size_t(path.size()) >= sizeof where.sun_path)
            return ENAMETOOLONG;
        std::memcpy(where.sun_path, path.constData(), std::size_t(path.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return errno;
        const int result = ::connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where);
        const int error = result == 0 ? 0 : errno;
        ::close(fd);
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
        const int fd = ::socket(each->ai_family, each->ai_socktype | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            error = errno;
            continue;
        }
        error = ::connect(fd, each->ai_addr, each->ai_addrlen) == 0 ? 0 : errno;
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return error;
}

// A CUPS queue. The page is drawn into a PDF file laid out like the queue's own page (its
// resolution, paper and printable area); lp then hands the file to the scheduler, which lets the
// print system's failures be seen.
class CupsPrinter final : public PrinterDevice {
public:
    explicit CupsPrinter(const QPrinterInfo& info)
        : m_name(info.printerName()), m_queue(info, QPrinter::HighResolution) {}

    bool valid() const { return m_queue.isValid(); }
    int dotsPerInchX() const override { return m_queue.logicalDpiX(); }
    int dotsPerInchY() const override { return m_queue.logicalDpiY(); }

    QPaintDevice* startDocument(const QString& name) override {
        m_file = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/vlnokan-XXXXXX.pdf");
        if (!m_file->open())
            return nullptr;
        m_file->close();
        m_page = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_page->setOutputFormat(QPrinter::PdfFormat);
        m_page->setOutputFileName(m_file->fileName());
        m_page->setResolution(m_queue.resolution());
        m_page->setPageLayout(m_queue.pageLayout());
        m_page->setFullPage(false);
        m_page->setDocName(name);
        m_title = name;
        return m_page.get();
    }

    bool sendDocument() override {
        if (!m_file)
            return false;
        QProcess lp;
        lp.setProgram(QStringLiteral("lp"));
        lp.setArguments({"-d", m_name, "-t", m_title, "--", m_file->fileName()});
        QEventLoop waiting;
        QObject::connect(&lp, &QProcess::finished, &waiting, &QEventLoop::quit);
        QObject::connect(&lp, &QProcess::errorOccurred, &waiting, [&waiting](auto error) {
            if (error == QProcess::FailedToStart)
                waiting.quit();
        });
        lp.start();
        if (lp.state() != QProcess::NotRunning)
            waiting.exec();
        const bool sent = lp.error() == QProcess::UnknownError &&
                          lp.exitStatus() == QProcess::NormalExit && lp.exitCode() == 0;
        m_page.reset();
        m_file.reset();
        return sent;
    }

private:
    QString m_name;
    QPrinter m_queue;
    QString m_title;
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
