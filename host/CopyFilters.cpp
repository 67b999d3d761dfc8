#include "host/CopyFilters.h"

#include "framework/rtl/SysUtils.h"

namespace host {

namespace {

String Extension(const String& fileName) { return fw::AnsiLowerCase(fw::ExtractFileExt(fileName)); }

}  // namespace

String CopyFilter(const String& fileName) {
    String ext = Extension(fileName);
    if (ext == L".hwp") return L"한글 문서 파일|*.hwp";
    if (ext == L".doc" || ext == L".docx") return L"마이크로소프트 워드 파일|*.doc;*.docx;";
    if (ext == L".xls" || ext == L".xlsx") return L"마이크로소프트 엑셀 파일|*.xls;*.xlsx;";
    if (ext == L".ppt" || ext == L".pptx") return L"마이크로소프트 파워포인트 파일|*.ppt;*.pptx;";
    if (ext == L".jpg" || ext == L".bmp" || ext == L".png") return L"이미지파일|*.jpg;*.bmp;*.png;";
    if (ext == L".swf") return L"플래시 파일|*.swf";
    if (ext == L".pdf") return L"PDF 파일|*.pdf";
    if (ext == L".wmv") return L"동영상 파일|*.wmv";
    return L"모든 파일|*.*";
}

String DocumentFilter(const String& fileName) {
    String ext = Extension(fileName);
    if (ext == L".hwp") return L"한글 파일|*.hwp";
    if (ext == L".doc" || ext == L".docx") return L"마이크로소프트 워드 파일|*.doc;*.docx";
    if (ext == L".xls" || ext == L".xlsx") return L"마이크로소프트 엑셀 파일|*.xls;*.xlsx";
    if (ext == L".ppt" || ext == L".pptx") return L"마이크로소프트 파워포인트 파일|*.ppt;*.pptx";
    if (ext == L".wmv") return L"동영상 파일|*.wmv";
    return String();
}

}  // namespace host
