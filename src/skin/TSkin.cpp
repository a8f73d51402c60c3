#include "skin/TSkin.h"

namespace zanmel::skin {

void TCustomSkinGraphic::Prepare(const SkinScreenSize& screen) {
    if (BackGroundRepeat == SkinRepeat::None || !HasImage()) return;
    const int w = Bitmap->Width();
    const int h = Bitmap->Height();
    const int nx = (screen.width > 0 ? screen.width : 0) / w + 1;
    const int ny = (screen.height > 0 ? screen.height : 0) / h + 1;
    switch (BackGroundRepeat) {
        case SkinRepeat::X:
            Bitmap->Resize(nx * w, h);
            for (int i = 1; i < nx; ++i) Bitmap->CopyRect(0, 0, w, h, i * w, 0);
            break;
        case SkinRepeat::Y:
            Bitmap->Resize(w, ny * h);
            for (int j = 1; j < ny; ++j) Bitmap->CopyRect(0, 0, w, h, 0, j * h);
            break;
        case SkinRepeat::Both:
            Bitmap->Resize(nx * w, ny * h);
            for (int j = 0; j < ny; ++j) {
                for (int i = 0; i < nx; ++i) {
                    if (i != 0 || j != 0) Bitmap->CopyRect(0, 0, w, h, i * w, j * h);
                }
            }
            break;
        case SkinRepeat::None:
            break;
    }
}

void TSkinGraphicX::Prepare(const SkinScreenSize& screen) {
    if (BackGroundRepeat == SkinRepeat::Y || BackGroundRepeat == SkinRepeat::Both) BackGroundRepeat = SkinRepeat::X;
    TCustomSkinGraphic::Prepare(screen);
}

void TSkinGraphicY::Prepare(const SkinScreenSize& screen) {
    if (BackGroundRepeat == SkinRepeat::X || BackGroundRepeat == SkinRepeat::Both) BackGroundRepeat = SkinRepeat::Y;
    TCustomSkinGraphic::Prepare(screen);
}

}  // namespace zanmel::skin
