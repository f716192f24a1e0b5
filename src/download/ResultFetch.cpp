#include "download/ResultFetch.h"

#include "download/ResultFileName.h"

#include <filesystem>
#include <fstream>

namespace lanescope::download {

namespace {

constexpr std::size_t kSniffBytes = 4096;

std::string firstBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string bytes(kSniffBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

} // namespace

FetchedResult fetchResultFile(TVnxHTTP& http, const std::string& url, const std::string& folder,
                              const std::string& stem, const Validators& previous)
{
    namespace fs = std::filesystem;
    const std::string address = percentEncodeUrl(url);
    const std::string partFile = folder + "/" + stem + ".part";
    FetchedResult fetched;
    fetched.transfer = http.Transfer(address, partFile, previous);
    std::error_code ignored;
    if (!fetched.transfer.ok()) {
        fs::remove(partFile, ignored);
        return fetched;
    }
    fetched.fileName = resultFileName(address, fetched.transfer.contentDisposition, firstBytes(partFile));
    if (fetched.fileName.empty()) {
        fetched.transfer.error = TransferError::UnsupportedFile;
        fs::remove(partFile, ignored);
        return fetched;
    }
    const std::string localFile = folder + "/" + stem + fs::path(fetched.fileName).extension().string();
    std::error_code error;
    fs::rename(partFile, localFile, error);
    if (error) {
        fetched.transfer.error = TransferError::LocalFile;
        fs::remove(partFile, ignored);
        return fetched;
    }
    fetched.localFile = localFile;
    return fetched;
}

} // namespace lanescope::download
