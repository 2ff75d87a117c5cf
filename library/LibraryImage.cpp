#include "library/LibraryImage.h"

#include <filesystem>

#include "library/LibraryFile.h"
#include "library/LibraryFormat.h"
#include "platform/UserPrompt.h"

std::optional<std::vector<BYTE>> BuildLibraryImage(const CString& path,
                                                   const std::vector<int>& indices) {
    CLibraryFile source;
    if (!source.Open(path)) {
        AfxMessageBox("Error opening library", MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    std::error_code ec;
    const std::filesystem::path fullPath = std::filesystem::absolute(path.str(), ec);
    CLibraryFile image;
    image.CreateImage(ec ? path : CString(fullPath.string()));
    for (int index : indices) {
        CLibraryItem item;
        if (source.SeekToItem(index, item))
            image.AddItem(item, *source.GetFile(), static_cast<UINT>(item.m_dataLength));
    }
    return image.DetachImage();
}

BOOL PasteLibraryImage(CLibraryFile& target, std::vector<BYTE> bytes) {
    CLibraryFile image;
    if (!image.OpenImage(std::move(bytes)))
        return FALSE;
    CFile& file = *image.GetFile();
    CLibraryItem record;
    while (image.ReadItemHeader(record, FALSE)) {
        const std::uint64_t next = std::uint64_t{record.m_position} + kRecordHeaderSize +
                                   record.m_name.GetLength() + record.m_description.GetLength() +
                                   record.m_dataLength;
        const auto length = static_cast<UINT>(record.m_dataLength);
        CLibraryItem found;
        const int index = target.FindItem(found, record.m_name);
        if (index == kItemNotFound) {
            target.AddItem(record, file, length);
        } else {
            const int answer = AfxMessageBox(target.ReplaceQuestion(record.m_name), MB_YESNOCANCEL);
            if (answer == IDCANCEL)
                break;
            if (answer == IDYES)
                target.ReplaceItem(index, record, file, length);
        }
        file.Seek(static_cast<std::int64_t>(next), CFile::begin);
    }
    return TRUE;
}
