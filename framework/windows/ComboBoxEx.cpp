// TComboBoxEx: the native extended combo box with its items kept in ItemsEx.
#include "framework/rtl/Exception.h"
#include "framework/windows/ComCtrls.h"

namespace fw {

// ---- items

void TComboExItem::SetCaption(const String& Value) { Set(caption_, Value); }
void TComboExItem::SetImageIndex(int Value) { Set(imageIndex_, Value); }
void TComboExItem::SetSelectedImageIndex(int Value) { Set(selectedImageIndex_, Value); }
void TComboExItem::SetOverlayImageIndex(int Value) { Set(overlayImageIndex_, Value); }
void TComboExItem::SetIndent(int Value) { Set(indent_, Value); }

TComboExItems::TComboExItems(TComboBoxEx* AOwner)
    : TOwnedCollection(AOwner, &NewCollectionItem<TComboExItem>), combo_(AOwner) {}

TComboExItem* TComboExItems::AddItem(const String& Caption, int ImageIndex, int SelectedImageIndex,
                                     int OverlayImageIndex, int Indent, void* Data) {
    BeginUpdate();
    TComboExItem* item = Add();
    item->SetCaption(Caption);
    item->SetImageIndex(ImageIndex);
    item->SetSelectedImageIndex(SelectedImageIndex);
    item->SetOverlayImageIndex(OverlayImageIndex);
    item->SetIndent(Indent);
    item->SetData(Data);
    EndUpdate();
    return item;
}

void TComboExItems::Update(TCollectionItem* Item) { combo_->UpdateItems(static_cast<TComboExItem*>(Item)); }

namespace {

// Items as lines: each line an item's caption, its object the item's Data.
class TComboExStrings : public TStrings {
public:
    explicit TComboExStrings(TComboExItems* Items) : items_(Items) {}
    String ClassName() const override { return L"TComboExStrings"; }

    int Count() const override { return items_->Count(); }
    String Strings(int Index) const override { return Item(Index)->Caption(); }
    void SetStrings(int Index, const String& S) override { Item(Index)->SetCaption(S); }
    TObject* Objects(int Index) const override { return static_cast<TObject*>(Item(Index)->Data()); }
    void SetObjects(int Index, TObject* AObject) override { Item(Index)->SetData(AObject); }
    void Insert(int Index, const String& S) override {
        if (Index < 0 || Index > Count()) throw EStringListError(L"List index out of bounds (" + IntText(Index) + L")");
        items_->BeginUpdate();
        auto* item = static_cast<TComboExItem*>(items_->Insert(Index));
        item->SetCaption(S);
        items_->EndUpdate();
    }
    void Delete(int Index) override {
        Item(Index);
        items_->Delete(Index);
    }
    void Clear() override { items_->Clear(); }

private:
    static String IntText(int Value) { return std::to_wstring(Value); }
    TComboExItem* Item(int Index) const {
        if (Index < 0 || Index >= Count())
            throw EStringListError(L"List index out of bounds (" + IntText(Index) + L")");
        return items_->ComboItems(Index);
    }

    TComboExItems* items_;
};

}  // namespace

// ---- the control

TComboBoxEx::TComboBoxEx(TComponent* AOwner)
    : TWinControl(AOwner), itemsEx_(new TComboExItems(this)), items_(new TComboExStrings(itemsEx_.get())) {
    width_ = 145;
    height_ = 22;
    SetTabStop(true);
}

TComboBoxEx::~TComboBoxEx() {
    // The window goes first: its last messages must not reach freed items.
    if (HandleAllocated()) DestroyHandle();
}

void TComboBoxEx::CreateParams(TCreateParams& Params) {
    InitCommonControl(ICC_USEREX_CLASSES);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_COMBOBOXEXW);
    Params.Style |= CBS_DROPDOWN;
}

void TComboBoxEx::CreateWnd() {
    TWinControl::CreateWnd();
    if (images_) Perform(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    UpdateItems(nullptr);
    Perform(CB_SETCURSEL, WPARAM(itemIndex_), 0);
}

void TComboBoxEx::DestroyWnd() {
    itemIndex_ = int(Perform(CB_GETCURSEL));
    TWinControl::DestroyWnd();
}

void TComboBoxEx::SendItem(UINT Msg, TComboExItem* Item) {
    COMBOBOXEXITEMW cbei{};
    cbei.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_OVERLAY | CBEIF_INDENT | CBEIF_LPARAM;
    cbei.iItem = Item->Index();
    String text = Item->Caption();
    cbei.pszText = text.data();
    cbei.iImage = Item->ImageIndex();
    cbei.iSelectedImage = Item->SelectedImageIndex();
    cbei.iOverlay = Item->OverlayImageIndex();
    cbei.iIndent = Item->Indent();
    cbei.lParam = reinterpret_cast<LPARAM>(Item->Data());
    Perform(Msg, 0, reinterpret_cast<LPARAM>(&cbei));
}

void TComboBoxEx::UpdateItems(TComboExItem* Item) {
    if (!HandleAllocated()) return;
    if (Item) {
        SendItem(CBEM_SETITEMW, Item);
        return;
    }
    int selected = int(Perform(CB_GETCURSEL));
    Perform(CB_RESETCONTENT);
    for (int i = 0; i < itemsEx_->Count(); ++i) SendItem(CBEM_INSERTITEMW, itemsEx_->ComboItems(i));
    if (selected < itemsEx_->Count()) Perform(CB_SETCURSEL, WPARAM(selected), 0);
}

int TComboBoxEx::ItemIndex() { return HandleAllocated() ? int(Perform(CB_GETCURSEL)) : itemIndex_; }

void TComboBoxEx::SetItemIndex(int Value) {
    itemIndex_ = Value;
    if (HandleAllocated()) Perform(CB_SETCURSEL, WPARAM(Value), 0);
}

void TComboBoxEx::SetImages(TCustomImageList* Value) {
    if (images_ == Value) return;
    SetReference(this, images_, Value);
    if (HandleAllocated())
        Perform(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
}

void TComboBoxEx::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && IsReference(AComponent, images_)) SetImages(nullptr);
}

bool TComboBoxEx::DroppedDown() { return HandleAllocated() && Perform(CB_GETDROPPEDSTATE) != 0; }

void TComboBoxEx::SetDroppedDown(bool Value) { Perform(CB_SHOWDROPDOWN, Value ? TRUE : FALSE, 0); }

}  // namespace fw
