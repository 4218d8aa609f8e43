// The program's windows with a real SRTM tile crop at hand: opens files
// through the main window's "&Open" and answers every modal window by its
// object name, recording what was shown ("caption: text" for message boxes,
// "Error!: text" for error windows, the caption for other dialogs).
#pragma once

#include "formats/SrtmHgt.h"
#include "GraphicsWindowFixture.h"
#include "TestFiles.h"

/// The crop of N49E011.hgt in tests/data: 101 x 101 postings with a 3 x 3 void at rows 44-46, columns 43-45.
inline const char* const kTileCrop = "crop_N49E011.hgt";
inline constexpr int kCropSide = 101;

struct SrtmWindowFixture : GraphicsWindowFixture {
    /// Texts typed into the boxes of a dialog before its "Submit": object name of the dialog ->
    /// (object name of the box -> text).
    std::map<QString, std::map<QString, QString>> entries;

    void SetUp() override
    {
        GraphicsWindowFixture::SetUp();
        entries["dataEntryForm"] = {{"lsqrEdit", "0"}, {"laplacianEdit", "300"}, {"refiningEdit", "0"}};
        modals.answer = [this](QDialog& d) { return fill(d, entries[d.objectName()]); };
    }
};
