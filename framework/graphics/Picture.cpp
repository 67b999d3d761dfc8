#include "framework/graphics/Picture.h"

#include <map>
#include <mutex>
#include <typeinfo>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/SysUtils.h"

namespace fw {

namespace {

struct FileFormat {
    String extension;  // lower case, no dot
    String description;
    std::type_index graphicClass;
    TGraphicFactory factory;
};

// Extensions for LoadFromFile, newest first; and every class ever
// registered, so SetGraphic can copy a graphic of that class.
struct FormatRegistry {
    std::mutex lock;
    std::vector<FileFormat> formats;
    std::map<std::type_index, TGraphicFactory> classes;

    void Add(const String& extension, const String& description, std::type_index graphicClass,
             TGraphicFactory factory) {
        std::lock_guard<std::mutex> guard(lock);
        classes.insert_or_assign(graphicClass, factory);
        formats.insert(formats.begin(), FileFormat{extension, description, graphicClass, std::move(factory)});
    }

    template <typename T>
    void AddDefault(const String& extension, const String& description) {
        Add(extension, description, typeid(T), [] { return std::unique_ptr<TGraphic>(new T()); });
    }

    FormatRegistry() {
        AddDefault<TBitmap>(L"bmp", L"Bitmaps");
        AddDefault<TIcon>(L"ico", L"Icons");
        AddDefault<TJPEGImage>(L"jpeg", L"JPEG Image File");
        AddDefault<TJPEGImage>(L"jpg", L"JPEG Image File");
    }
};

FormatRegistry& Registry() {
    static FormatRegistry registry;
    return registry;
}

String NormalExtension(const String& extension) {
    return LowerCase(!extension.empty() && extension[0] == L'.' ? extension.substr(1) : extension);
}

const FileFormat* FindFormat(FormatRegistry& registry, const String& extension) {
    String ext = NormalExtension(extension);
    for (const FileFormat& format : registry.formats)
        if (format.extension == ext) return &format;
    return nullptr;
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const String& Extension, const String& Description, std::type_index GraphicClass,
                                  TGraphicFactory Factory) {
    Registry().Add(NormalExtension(Extension), Description, GraphicClass, std::move(Factory));
}

void TPicture::UnregisterGraphicClass(std::type_index GraphicClass) {
    FormatRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    std::erase_if(registry.formats, [&](const FileFormat& f) { return f.graphicClass == GraphicClass; });
}

String TPicture::FileFormatDescription(const String& Extension) {
    FormatRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    const FileFormat* format = FindFormat(registry, Extension);
    return format ? format->description : String();
}

String GraphicFilter() {
    FormatRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    // Oldest registration first, as the formats were added.
    String all, each;
    for (auto f = registry.formats.rbegin(); f != registry.formats.rend(); ++f) {
        String mask = L"*." + f->extension;
        all += (all.empty() ? L"" : L";") + mask;
        each += L"|" + f->description + L" (" + mask + L")|" + mask;
    }
    return L"All (" + all + L")|" + all + each;
}

void TPicture::Hold(std::unique_ptr<TGraphic> graphic) {
    if (graphic) graphic->OnChange = TNotifyEvent(this, &TPicture::Changed);
    graphic_ = std::move(graphic);
}

void TPicture::SetGraphic(const TGraphic* Value) {
    if (Value == graphic_.get()) return;
    std::unique_ptr<TGraphic> copy;
    if (Value) {
        TGraphicFactory factory;
        {
            FormatRegistry& registry = Registry();
            std::lock_guard<std::mutex> guard(registry.lock);
            auto it = registry.classes.find(typeid(*Value));
            if (it != registry.classes.end()) factory = it->second;
        }
        if (!factory) throw EInvalidGraphic(L"Cannot hold a " + Value->ClassName() + L" in a TPicture");
        copy = factory();
        copy->Assign(Value);
    }
    Hold(std::move(copy));
    Changed(this);
}

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get())) return bitmap;
    Hold(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

void TPicture::SetBitmap(const TBitmap* Value) { Bitmap()->Assign(Value); }

TIcon* TPicture::Icon() {
    if (auto* icon = dynamic_cast<TIcon*>(graphic_.get())) return icon;
    Hold(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic_.get());
}

void TPicture::SetIcon(const TIcon* Value) { Icon()->Assign(Value); }

void TPicture::Assign(const TPersistent* Source) {
    if (!Source) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<const TPicture*>(Source)) {
        if (picture != this) SetGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<const TGraphic*>(Source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(Source);
    }
}

void TPicture::AssignTo(TPersistent* Dest) const {
    if (graphic_)
        Dest->Assign(graphic_.get());
    else if (dynamic_cast<TGraphic*>(Dest))
        Dest->Assign(nullptr);  // an empty picture empties the graphic
    else
        TPersistent::AssignTo(Dest);
}

void TPicture::Changed(TObject*) {
    if (OnChange) OnChange(this);
}

void TPicture::LoadFromFile(const String& Filename) {
    const String ext = ExtractFileExt(Filename);
    TGraphicFactory factory;
    {
        FormatRegistry& registry = Registry();
        std::lock_guard<std::mutex> guard(registry.lock);
        if (const FileFormat* format = FindFormat(registry, ext)) factory = format->factory;
    }
    if (!factory) {
        String shown = !ext.empty() && ext[0] == L'.' ? ext.substr(1) : ext;
        throw EInvalidGraphic(L"Unknown picture file extension (." + shown + L")");
    }
    std::unique_ptr<TGraphic> graphic = factory();
    graphic->LoadFromFile(Filename);
    Hold(std::move(graphic));
    Changed(this);
}

void TPicture::SaveToFile(const String& Filename) {
    if (graphic_) graphic_->SaveToFile(Filename);
}

}  // namespace fw
