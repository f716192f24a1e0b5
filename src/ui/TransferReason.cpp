#include "ui/TransferReason.h"

#include "base/LanguageTexts.h"
#include "swim/TextFormat.h"

namespace lanescope::ui {

namespace {

QString viewerText(int number) { return QString::fromStdString(base::languageText('V', number)); }

} // namespace

QString transferReason(const download::TransferResult& result)
{
    using download::TransferError;
    switch (result.error) {
    case TransferError::None:
    case TransferError::NotModified:
        return {};
    case TransferError::HttpStatus:
        return QString::fromStdString(
            swim::formatText(base::languageText('V', 40), {static_cast<int>(result.httpStatus)}));
    case TransferError::TimedOut:
        return viewerText(41);
    case TransferError::Refused:
        return viewerText(42);
    case TransferError::HostNotFound:
        return viewerText(43);
    case TransferError::TooLarge:
        return viewerText(44);
    case TransferError::LocalFile:
        return result.detail.empty() ? viewerText(45)
                                     : viewerText(45) + QStringLiteral(" (") +
                                           QString::fromStdString(result.detail) + QLatin1Char(')');
    case TransferError::UnsupportedFile:
        return viewerText(46);
    case TransferError::Other:
        break;
    }
    return result.detail.empty() ? viewerText(47) : QString::fromStdString(result.detail);
}

} // namespace lanescope::ui
