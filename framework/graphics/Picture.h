// A holder for any graphic, owning it. LoadFromFile picks the graphic class
// from the file's extension through a process-wide registry, where bmp, ico,
// jpg and jpeg are known from the start.
#pragma once

#include <functional>
#include <memory>
#include <typeindex>

#include "framework/graphics/Graphic.h"

namespace fw {

class TBitmap;
class TIcon;

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    String ClassName() const override { return L"TPicture"; }

    // The held graphic, nil when empty.
    TGraphic* Graphic() const { return graphic_.get(); }
    // Holds a copy of Value (a new object of its class, assigned from it);
    // nil empties the picture. The class must be registered (the default
    // classes are).
    void SetGraphic(const TGraphic* Value);

    // The graphic as a bitmap: anything else held is replaced by a new, empty TBitmap.
    TBitmap* Bitmap();
    void SetBitmap(const TBitmap* Value);
    // The same for icons.
    TIcon* Icon();
    void SetIcon(const TIcon* Value);

    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // From a TPicture or a TGraphic (copied); nil empties.
    void Assign(const TPersistent* Source) override;

    // EInvalidGraphic "Unknown picture file extension (.xxx)" for an
    // extension nobody registered. A file that fails to load leaves the
    // picture as it was.
    void LoadFromFile(const String& Filename);
    // Saves the held graphic in its own format, whatever the extension.
    void SaveToFile(const String& Filename);

    // Extension without the dot, any case. A later registration of the same
    // extension takes precedence.
    static void RegisterFileFormat(const String& Extension, const String& Description, std::type_index GraphicClass,
                                   TGraphicFactory Factory);
    template <typename T>
    static void RegisterFileFormat(const String& Extension, const String& Description) {
        RegisterFileFormat(Extension, Description, typeid(T), [] { return std::unique_ptr<TGraphic>(new T()); });
    }
    // Forgets every extension registered for the class.
    static void UnregisterGraphicClass(std::type_index GraphicClass);
    template <typename T>
    static void UnregisterGraphicClass() {
        UnregisterGraphicClass(typeid(T));
    }
    // The description registered for an extension; empty when unknown.
    static String FileFormatDescription(const String& Extension);

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* Dest) const override;
    virtual void Changed(TObject* Sender);

private:
    void Hold(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> graphic_;
};

// An open or save dialog's Filter for every registered picture format:
// "All (*.bmp;...)|*.bmp;..." then one "Description (*.ext)|*.ext" pair per
// extension, in the order they were registered.
String GraphicFilter();

}  // namespace fw
