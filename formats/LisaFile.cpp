#include "formats/LisaFile.h"

#include "app/core/Reporter.h"
#include "formats/FileIo.h"

bool inspectLisaBytes(std::span<const std::uint8_t> bytes, Reporter& reporter)
{
    reporter.log("File size is " + std::to_string(bytes.size()) + " bytes.");
    if (bytes.empty()) {
        reporter.log(kLisaFailedLine);
        return false;
    }
    // The byte as a character of the one-byte code page, written as UTF-8.
    const std::uint8_t b = bytes[0];
    std::string character;
    if (b < 0x80) {
        character.push_back(char(b));
    } else {
        character.push_back(char(0xC0 | (b >> 6)));
        character.push_back(char(0x80 | (b & 0x3F)));
    }
    reporter.log("accumulator5 is " + character);
    return true;
}

bool inspectLisaFile(const std::string& path, Reporter& reporter)
{
    auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) {
        reporter.log(kLisaFailedLine);
        return false;
    }
    return inspectLisaBytes(*bytes, reporter);
}
