#include "converter/capturepng.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "converter/bitmapheader.h"
#include "converter/converterfiles.h"
#include "converter/pngencoder.h"

namespace qv::converter {

namespace {

// A quality the toolkit's road would take too: 0 to 100 in plain digits.
bool plainQuality(const char* text) {
    const size_t length = std::strlen(text);
    if (length == 0 || length > 3 || std::strspn(text, "0123456789") != length)
        return false;
    return std::atoi(text) <= 100;
}

// A bitmap that gives no resolution is stored at 100 dots an inch, what the toolkit's reader
// gives such a picture, so that the file is the same on either road.
constexpr int kDotsPerMeterUnstated = 3937;

int dotsPerMeter(int32_t given) {
    return given > 0 ? given : kDotsPerMeterUnstated;
}

// Reads whole rows with the file's own system calls: every band of a piece at once, from any
// thread (pread keeps no position).
class BitmapFileRows : public PixelRows {
public:
    BitmapFileRows(int fd, const BitmapHeader& header)
        : PixelRows(PictureShape{int(header.width), int(-header.height), false,
                                 dotsPerMeter(header.dotsPerMeterX),
                                 dotsPerMeter(header.dotsPerMeterY)}),
          fd_(fd),
          offset_(header.pixelOffset) {}

    const uint32_t* rows(int first, int count, uint32_t* room) const override {
        const size_t rowBytes = size_t(shape().width) * 4;
        auto* into = reinterpret_cast<char*>(room);
        size_t left = rowBytes * size_t(count);
        off_t at = off_t(offset_ + int64_t(rowBytes) * first);
        while (left > 0) {
            const ssize_t read = ::pread(fd_, into, left, at);
            if (read < 0 && errno == EINTR)
                continue;
            if (read <= 0)
                return nullptr;
            into += read;
            at += read;
            left -= size_t(read);
        }
        return room;
    }

private:
    int fd_;
    int64_t offset_;
};

}  // namespace

std::optional<Outcome> saveCaptureAsPng(int argc, const char* const argv[]) {
    if (argc != 6 || std::strcmp(argv[5], kMarker) != 0 || std::strcmp(argv[2], "image/png") != 0 ||
        !plainQuality(argv[4]))
        return std::nullopt;
    const std::string source = argv[1];
    const std::string target = argv[3];
    struct stat status {};
    std::string problem;
    const Descriptor file(openRegularFile(source, &status, &problem));
    if (file.get() < 0 || sameFile(status, target) || !checkTarget(target).empty())
        return std::nullopt;

    uint8_t bytes[kBitmapHeaderBytes];
    const ssize_t read = ::pread(file.get(), bytes, sizeof bytes, 0);
    BitmapHeader header;
    if (read <= 0 || !parseBitmapHeader(bytes, size_t(read), &header).empty() ||
        !checkBitmapHeader(header, status.st_size).empty() || !plainTrueColour(header) ||
        header.bitsPerPixel != 32 || header.height >= 0)
        return std::nullopt;
    const BitmapFileRows rows(file.get(), header);
    if (!packsInMemory(rows.shape()))
        return std::nullopt;
    WholeFile png(target);
    if (!png.error().empty())
        return std::nullopt;
    // Each piece goes to the file while the later ones are packed.
    const PngSink toFile = [&](std::initializer_list<ByteRange> parts) {
        std::vector<struct iovec> vector;
        for (const ByteRange& part : parts)
            vector.push_back({const_cast<uint8_t*>(part.data), part.size});
        return png.append(vector.data(), int(vector.size()));
    };
    const bool encoded = encodePng(rows, PngSettings{}, toFile, &problem);
    if (png.error().empty() && !encoded)
        return std::nullopt;  // the bitmap could not be read after all
    if (!png.commit())
        return Outcome{UnwritableTarget, "cannot write \"" + target + "\": " + png.error()};
    return Outcome{};
}

}  // namespace qv::converter
