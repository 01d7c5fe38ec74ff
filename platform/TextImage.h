#pragma once
// The bytes that every byte operation on the editor text works on, and the one mapping between
// positions in those bytes and positions in the editor.
//
// The editor text comes as UTF-16 whose lines are separated by '\n' alone, one editor block per
// line; a position is an index into that text. In the bytes each '\n' is CR LF and nothing else
// ends a line: U+2028, U+2029 and a stray CR are ordinary characters there. The bytes are in the
// document's code page while every character fits it, otherwise in UTF-8, so no character is
// ever lost on its way through them: Decode gives back exactly what went in.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"

class CTextImage {
public:
    CTextImage(); // the empty text
    CTextImage(const CCodePage& docPage, std::u16string text);

    const std::u16string& Text() const { return m_text; }
    const std::string& Bytes() const { return m_bytes; }
    // The code page of Bytes(): the document's, or UTF-8 when some character does not fit it.
    const CCodePage& Page() const { return m_page; }
    bool InDocumentPage() const { return m_bDocPage; }

    int LineCount() const { return static_cast<int>(m_lineBytes.size()); }
    int LineOfByte(size_t nByte) const;
    int LineOfPosition(size_t nPos) const;
    // Where a line starts, and where its bytes end (at its CR LF, or the end of the text).
    size_t LineStartByte(int nLine) const;
    size_t LineEndByte(int nLine) const;

    // An editor position as a byte offset; a position inside a surrogate pair counts as the
    // pair's start.
    size_t ByteOfPosition(size_t nPos) const;
    // A byte offset as an editor position; a byte inside a character gives that character's
    // position, a byte of a line's CR LF the end of that line.
    size_t PositionOfByte(size_t nByte) const;

    // Editor text of bytes in Page(): each CR LF becomes '\n'.
    std::u16string Decode(std::string_view bytes) const;
    // How many bytes the image would take with positions [nFrom, nTo) replaced by text (lines
    // separated by '\n'), in whichever code page it would then be in.
    size_t SizeAfterReplacing(size_t nFrom, size_t nTo, std::u16string_view text) const;

private:
    size_t SnapPosition(size_t nPos) const;

    CCodePage m_docPage;
    CCodePage m_page;
    bool m_bDocPage = true;
    std::u16string m_text;
    std::string m_bytes;
    std::vector<size_t> m_lineUnits; // first position of each line
    std::vector<size_t> m_lineBytes; // first byte of each line
};
