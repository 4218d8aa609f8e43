#include "formats/Bsq.h"

#include "app/core/GridOps.h"
#include "formats/FileIo.h"

std::vector<std::uint8_t> encodeBsq(const IntGrid& southFirst)
{
    std::vector<std::uint8_t> out;
    out.reserve(southFirst.size() * 2);
    for (int r = southFirst.rows() - 1; r >= 0; --r)
        for (std::int32_t v : southFirst.rowSpan(r)) fileio::putLittleEndian16(out, v);
    return out;
}

bool saveBsq(const std::string& path, const RealGrid& solution, Reporter& reporter)
{
    return fileio::writeOutputFile(path, encodeBsq(gridops::truncToIntGrid(solution)), reporter);
}
