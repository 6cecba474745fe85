#include "update/net/HttpClient.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslSocket>
#include <QUrl>

#include <utility>

namespace dm::update {

namespace {

constexpr int kMaxRedirections = 5;
constexpr qint64 kReadAhead = 64 * 1024;

// Whole seconds as "N s", anything else as "N ms".
std::string durationText(std::chrono::milliseconds duration) {
    const auto ms = duration.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

// Errors that Qt derives from the HTTP status alone: the server answered and the body came whole.
bool isStatusError(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::ContentOperationNotPermittedError:
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::AuthenticationRequiredError:
    case QNetworkReply::ContentConflictError:
    case QNetworkReply::ContentGoneError:
    case QNetworkReply::UnknownContentError:
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::InternalServerError:
    case QNetworkReply::OperationNotImplementedError:
    case QNetworkReply::ServiceUnavailableError:
    case QNetworkReply::UnknownServerError:
        return true;
    default:
        return false;
    }
}

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

HttpClient::HttpClient(QObject* owner, TransferLimits limits)
    : QObject(owner), limits_(limits), sslContext_(QSslConfiguration::defaultConfiguration()),
      manager_(new QNetworkAccessManager(this)) {
    sslContext_.setPeerVerifyMode(QSslSocket::VerifyNone);
    manager_->setProxy(QNetworkProxy::NoProxy);
    for (QTimer* timer : {&stallTimer_, &totalTimer_}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer); // a limit is never cut short
    }
    connect(&stallTimer_, &QTimer::timeout, this, [this] {
        fail(kHttpErrorTimedOut, "No progress for " + durationText(limits_.stallTimeout));
    });
    connect(&totalTimer_, &QTimer::timeout, this, [this] {
        fail(kHttpErrorTimedOut, "Not finished within " + durationText(limits_.totalTimeout));
    });
}

HttpClient::~HttpClient() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
    delete manager_; // with its replies, before the timers go
}

std::optional<std::string> HttpClient::GetASync() {
    if (busy_)
        return "A request is still running";
    QNetworkRequest request(QUrl::fromEncoded(QByteArray::fromStdString(URL)));
    if (!Agent.empty())
        request.setRawHeader("User-Agent", QByteArray::fromStdString(Agent));
    if (!Accept.empty())
        request.setRawHeader("Accept", QByteArray::fromStdString(Accept));
    if (!AcceptLanguage.empty())
        request.setRawHeader("Accept-Language", QByteArray::fromStdString(AcceptLanguage));
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, RequestVer != "1.1");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirections);
    // The request carries no identity: no cookies go out, none are kept.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setSslConfiguration(sslContext_);
    applyProxy();

    failure_.reset();
    reasonPhrase_.clear();
    received_ = 0;
    streamStart_ = RcvdStream ? RcvdStream->size() : 0;
    busy_ = true;
    const QString scheme = request.url().scheme().toLower();
    if (scheme != "http" && scheme != "https") {
        // Qt would also read files and resources; this client speaks HTTP only.
        deliver({static_cast<std::uint16_t>(QNetworkReply::ProtocolUnknownError),
                 "Protocol \"" + scheme.toStdString() + "\" is unknown"});
        return std::nullopt;
    }
    reply_ = manager_->get(request);
    // Qt reads no further ahead than this while the body waits to be taken.
    reply_->setReadBufferSize(kReadAhead);
    connect(reply_, &QNetworkReply::readyRead, this, &HttpClient::receive);
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        progressed();
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        const bool followed =
            reply_->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid();
        if (!followed && length.isValid() && length.toULongLong() > limits_.maxBodyBytes)
            fail(kHttpErrorBodyTooLarge,
                 "Reply body larger than " + std::to_string(limits_.maxBodyBytes) + " bytes");
    });
    connect(reply_, &QNetworkReply::redirected, this, [this] {
        // Only the last reply's body is kept.
        if (RcvdStream)
            RcvdStream->resize(streamStart_);
        received_ = 0;
        progressed();
    });
    connect(reply_, &QNetworkReply::requestSent, this, &HttpClient::progressed);
    connect(reply_, &QNetworkReply::encrypted, this, &HttpClient::progressed);
    connect(reply_, &QNetworkReply::finished, this, &HttpClient::finished);
    stallTimer_.start(limits_.stallTimeout);
    totalTimer_.start(limits_.totalTimeout);
    return std::nullopt;
}

void HttpClient::applyProxy() {
    if (Proxy.empty()) {
        manager_->setProxy(QNetworkProxy::NoProxy);
        return;
    }
    QNetworkProxy proxy(QNetworkProxy::HttpProxy, qText(Proxy), qText(ProxyPort).toUShort());
    if (ProxyAuth == httpAuthBasic) {
        proxy.setUser(qText(ProxyUsername));
        proxy.setPassword(qText(ProxyPassword));
    }
    manager_->setProxy(proxy);
}

void HttpClient::receive() {
    if (!reply_)
        return;
    const QByteArray data = reply_->readAll();
    if (data.isEmpty())
        return;
    progressed();
    if (received_ + static_cast<std::size_t>(data.size()) > limits_.maxBodyBytes) {
        fail(kHttpErrorBodyTooLarge,
             "Reply body larger than " + std::to_string(limits_.maxBodyBytes) + " bytes");
        return;
    }
    received_ += static_cast<std::size_t>(data.size());
    if (RcvdStream)
        RcvdStream->append(data.constData(), static_cast<std::size_t>(data.size()));
}

void HttpClient::progressed() {
    if (reply_)
        stallTimer_.start(limits_.stallTimeout);
}

void HttpClient::fail(std::uint16_t code, std::string reason) {
    if (!reply_ || failure_)
        return;
    failure_ = Ending{code, std::move(reason)};
    reply_->abort(); // finishes the reply at once
}

void HttpClient::finished() {
    if (!failure_)
        receive(); // whatever arrived with the end
    QNetworkReply* reply = std::exchange(reply_, nullptr);
    if (!reply)
        return;
    stallTimer_.stop();
    totalTimer_.stop();
    const Ending ending = failure_ ? *failure_ : endingOf(*reply);
    reply->disconnect(this);
    reply->deleteLater();
    deliver(ending);
}

void HttpClient::deliver(const Ending& ending) {
    reasonPhrase_ = ending.reason;
    // Delivered from the event loop, so the handler may free this client; a client freed
    // before then drops the delivery with its pending events.
    QMetaObject::invokeMethod(
        this,
        [this, code = ending.code] {
            busy_ = false;
            const RequestDoneEvent handler = OnRequestDone;
            if (handler)
                handler(*this, httpGET, code);
        },
        Qt::QueuedConnection);
}

HttpClient::Ending HttpClient::endingOf(QNetworkReply& reply) const {
    const bool answered = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid() &&
                          (reply.error() == QNetworkReply::NoError || isStatusError(reply.error()));
    if (answered)
        return {0, reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute)
                       .toByteArray()
                       .toStdString()};
    if (reply.error() == QNetworkReply::NoError)
        return {0, {}};
    return {static_cast<std::uint16_t>(reply.error()), reply.errorString().toStdString()};
}

} // namespace dm::update
