#include "skin/engine/acPixelRows.h"

#include <emmintrin.h>

#include <cstring>

namespace skin {

namespace {

inline __m128i Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline bool AllZero(__m128i v) { return _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128())) == 0xFFFF; }

inline uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// A colour value (red lowest) as the bytes blue, green, red of a pixel read as one number.
inline uint32_t StoredBgr(uint32_t key) { return ((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF); }

}  // namespace

void BlendRowBytes(uint8_t* Dst, const uint8_t* Src, int Count, uint8_t Alpha) {
    const int a = Alpha, b = 255 - Alpha;
    int i = 0;
    // Sixteen bytes at a time in 16-bit lanes: the sum stays under 65536.
    const __m128i wa = _mm_set1_epi16(short(a)), wb = _mm_set1_epi16(short(b)), half = _mm_set1_epi16(127);
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= Count; i += 16) {
        const __m128i d = Load(Dst + i), s = Load(Src + i);
        __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), wa),
                                   _mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), wb));
        __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), wa),
                                   _mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), wb));
        lo = _mm_srli_epi16(_mm_add_epi16(lo, half), 8);
        hi = _mm_srli_epi16(_mm_add_epi16(hi, half), 8);
        Store(Dst + i, _mm_packus_epi16(lo, hi));
    }
    for (; i < Count; ++i) Dst[i] = uint8_t((Dst[i] * a + Src[i] * b + 127) >> 8);
}

void MaskBlendRow(uint8_t* Dst, const uint8_t* Src, const uint8_t* Mask, int Count) {
    int i = 0;
    // s * 256 + (d - s) * m lies in 0..65280: taken modulo 2^16 the 16-bit
    // product of a negative difference still gives it exactly.
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= Count; i += 16) {
        const __m128i m = Load(Mask + i), s = Load(Src + i);
        if (AllZero(m)) {  // the image covers these bytes whole
            Store(Dst + i, s);
            continue;
        }
        const __m128i d = Load(Dst + i);
        const __m128i sl = _mm_unpacklo_epi8(s, zero), sh = _mm_unpackhi_epi8(s, zero);
        __m128i lo = _mm_mullo_epi16(_mm_sub_epi16(_mm_unpacklo_epi8(d, zero), sl), _mm_unpacklo_epi8(m, zero));
        __m128i hi = _mm_mullo_epi16(_mm_sub_epi16(_mm_unpackhi_epi8(d, zero), sh), _mm_unpackhi_epi8(m, zero));
        lo = _mm_srli_epi16(_mm_add_epi16(lo, _mm_slli_epi16(sl, 8)), 8);
        hi = _mm_srli_epi16(_mm_add_epi16(hi, _mm_slli_epi16(sh, 8)), 8);
        Store(Dst + i, _mm_packus_epi16(lo, hi));
    }
    for (; i < Count; ++i) Dst[i] = MaskBlend(Dst[i], Src[i], Mask[i]);
}

void AlphaBlendRow32(uint8_t* Dst, const uint8_t* Src, int Count, bool Opaque) {
    int i = 0;
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaByte = _mm_set1_epi32(int(0xFF000000u));
    const __m128i set = Opaque ? alphaByte : _mm_setzero_si128();
    // The weight of the alpha lanes is 0, so they come out as the destination's.
    const __m128i colourLanes = _mm_setr_epi16(-1, -1, -1, 0, -1, -1, -1, 0);
    // Four pixels at a time; d * 256 + (s - d) * a lies in 0..65280, so the
    // 16-bit product taken modulo 2^16 gives it exactly.
    for (; i + 4 <= Count; i += 4) {
        uint8_t* dp = Dst + 4 * i;
        const __m128i s = Load(Src + 4 * i), d = Load(dp);
        if (AllZero(_mm_and_si128(s, alphaByte))) {  // all four see-through: colours stay
            if (Opaque) Store(dp, _mm_or_si128(d, alphaByte));
            continue;
        }
        const __m128i sl = _mm_unpacklo_epi8(s, zero), sh = _mm_unpackhi_epi8(s, zero);
        const __m128i al = _mm_and_si128(_mm_shufflehi_epi16(_mm_shufflelo_epi16(sl, 0xFF), 0xFF), colourLanes);
        const __m128i ah = _mm_and_si128(_mm_shufflehi_epi16(_mm_shufflelo_epi16(sh, 0xFF), 0xFF), colourLanes);
        // d * 256 straight from the bytes: d in each lane's high byte.
        const __m128i dl8 = _mm_unpacklo_epi8(zero, d), dh8 = _mm_unpackhi_epi8(zero, d);
        const __m128i lo = _mm_add_epi16(dl8, _mm_mullo_epi16(_mm_sub_epi16(sl, _mm_srli_epi16(dl8, 8)), al));
        const __m128i hi = _mm_add_epi16(dh8, _mm_mullo_epi16(_mm_sub_epi16(sh, _mm_srli_epi16(dh8, 8)), ah));
        Store(dp, _mm_or_si128(_mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8)), set));
    }
    for (; i < Count; ++i) {
        uint8_t* d = Dst + 4 * i;
        const uint8_t* s = Src + 4 * i;
        const int a = s[3];
        d[0] = AlphaMix(d[0], s[0], a);
        d[1] = AlphaMix(d[1], s[1], a);
        d[2] = AlphaMix(d[2], s[2], a);
        if (Opaque) d[3] = 255;
    }
}

void KeyedCopyRow(uint8_t* Dst, int DstBpp, const uint8_t* Src, int SrcBpp, int Count, uint32_t Key, bool Opaque) {
    const uint32_t key = StoredBgr(Key);
    int i = 0;
    if (DstBpp == 4 && SrcBpp == 4) {
        const __m128i colour = _mm_set1_epi32(0x00FFFFFF), keys = _mm_set1_epi32(int(key));
        const __m128i alphaByte = _mm_set1_epi32(int(0xFF000000u));
        for (; i + 4 <= Count; i += 4) {
            uint8_t* dp = Dst + 4 * i;
            const __m128i s = _mm_and_si128(Load(Src + 4 * i), colour), d = Load(dp);
            const __m128i isKey = _mm_cmpeq_epi32(s, keys);
            const __m128i copied = _mm_or_si128(s, Opaque ? alphaByte : _mm_and_si128(d, alphaByte));
            Store(dp, _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, copied)));
        }
    }
    if (DstBpp == 3 && SrcBpp == 3) {
        // Four pixels (12 bytes) at a time: 16-byte loads, 12 bytes stored
        // (8 + 4, so no load waits on an overlapping store).
        const __m128i pattern = _mm_setr_epi8(char(key), char(key >> 8), char(key >> 16), char(key), char(key >> 8),
                                              char(key >> 16), char(key), char(key >> 8), char(key >> 16), char(key),
                                              char(key >> 8), char(key >> 16), 0, 0, 0, 0);
        const __m128i firsts = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0, 0, 0, 0);
        for (; i + 6 <= Count; i += 4) {
            uint8_t* dp = Dst + 3 * i;
            const __m128i s = Load(Src + 3 * i), d = Load(dp);
            const __m128i eq = _mm_cmpeq_epi8(s, pattern);
            // A key pixel: its three bytes equal, flagged at its first byte, then spread over the three.
            const __m128i first =
                _mm_and_si128(_mm_and_si128(eq, _mm_and_si128(_mm_srli_si128(eq, 1), _mm_srli_si128(eq, 2))), firsts);
            const __m128i keep = _mm_or_si128(first, _mm_or_si128(_mm_slli_si128(first, 1), _mm_slli_si128(first, 2)));
            const __m128i out = _mm_or_si128(_mm_and_si128(keep, d), _mm_andnot_si128(keep, s));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(dp), out);
            const uint32_t last = uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(out, 8)));
            std::memcpy(dp + 8, &last, 4);
        }
    }
    for (; i < Count; ++i) {
        const uint8_t* s = Src + i * SrcBpp;
        uint8_t* d = Dst + i * DstBpp;
        if ((uint32_t(s[0]) | uint32_t(s[1]) << 8 | uint32_t(s[2]) << 16) == key) continue;
        d[0] = s[0], d[1] = s[1], d[2] = s[2];
        if (DstBpp == 4 && Opaque) d[3] = 255;
    }
}

int FindFuchsia(const uint8_t* Row, int Bpp, int Count) {
    int i = 0;
    const __m128i ff = _mm_set1_epi8(char(0xFF)), zero = _mm_setzero_si128();
    if (Bpp == 4) {
        const __m128i colour = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(0x00FF00FF);
        for (; i + 4 <= Count; i += 4) {
            const int hits = _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(Load(Row + 4 * i), colour), key));
            if (hits) return i + __builtin_ctz(unsigned(hits)) / 4;
        }
    } else if (Bpp == 3) {
        // FF 00 FF found at any byte; only a hit on a pixel's first byte counts.
        const int bytes = 3 * Count;
        int j = 0;
        for (; j + 18 <= bytes; j += 16) {
            const __m128i b = _mm_cmpeq_epi8(Load(Row + j), ff), g = _mm_cmpeq_epi8(Load(Row + j + 1), zero);
            const __m128i r = _mm_cmpeq_epi8(Load(Row + j + 2), ff);
            for (unsigned hits = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_and_si128(b, g), r))); hits;
                 hits &= hits - 1) {
                const int at = j + __builtin_ctz(hits);
                if (at % 3 == 0) return at / 3;
            }
        }
        i = j / 3;  // pixels from here on are looked at one by one (a hit left of j was seen)
    }
    for (; i < Count; ++i) {
        const uint8_t* p = Row + i * Bpp;
        if (p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF) return i;
    }
    return Count;
}

void FillRow(uint8_t* Dst, int Bpp, int Count, const uint8_t* Pixel) {
    if (Count <= 0) return;
    if (Bpp == 4) {
        const uint32_t v = Load32(Pixel);
        const __m128i p = _mm_set1_epi32(int(v));
        int i = 0;
        for (; i + 16 <= Count; i += 16) {
            Store(Dst + 4 * i, p);
            Store(Dst + 4 * i + 16, p);
            Store(Dst + 4 * i + 32, p);
            Store(Dst + 4 * i + 48, p);
        }
        for (; i + 4 <= Count; i += 4) Store(Dst + 4 * i, p);
        for (; i < Count; ++i) std::memcpy(Dst + 4 * i, &v, 4);
        return;
    }
    // Sixteen 3-byte pixels make three whole 16-byte stores.
    uint8_t pattern[48];
    for (int k = 0; k < 16; ++k) std::memcpy(pattern + 3 * k, Pixel, 3);
    const __m128i p0 = Load(pattern), p1 = Load(pattern + 16), p2 = Load(pattern + 32);
    const int bytes = 3 * Count;
    int j = 0;
    for (; j + 48 <= bytes; j += 48) {
        Store(Dst + j, p0);
        Store(Dst + j + 16, p1);
        Store(Dst + j + 32, p2);
    }
    std::memcpy(Dst + j, pattern, size_t(bytes - j));
}

void TintRow(uint8_t* Row, int Bpp, int Count, const TTintTables& Tables) {
    const uint8_t *tb = Tables[0], *tg = Tables[1], *tr = Tables[2];
    for (int i = 0; i < Count; ++i, Row += Bpp) {
        const uint8_t b = tb[Row[0]], g = tg[Row[1]], r = tr[Row[2]];
        Row[0] = b, Row[1] = g, Row[2] = r;
    }
}

namespace {

// (b + g + r) div 3 of four 32-bit pixels, alpha kept.
inline __m128i Grey4(__m128i v) {
    const __m128i byte = _mm_set1_epi32(0xFF);
    const __m128i sum = _mm_add_epi32(_mm_add_epi32(_mm_and_si128(v, byte), _mm_and_si128(_mm_srli_epi32(v, 8), byte)),
                                      _mm_and_si128(_mm_srli_epi32(v, 16), byte));
    // (sum * 43691) shr 17 is sum div 3 for every sum up to 765; the lane's high half stays 0.
    const __m128i q = _mm_srli_epi16(_mm_mulhi_epu16(sum, _mm_set1_epi32(43691)), 1);
    const __m128i grey = _mm_or_si128(_mm_or_si128(q, _mm_slli_epi32(q, 8)), _mm_slli_epi32(q, 16));
    return _mm_or_si128(grey, _mm_and_si128(v, _mm_set1_epi32(int(0xFF000000u))));
}

inline void GreyPixel(uint8_t* p) { p[0] = p[1] = p[2] = uint8_t((p[0] + p[1] + p[2]) / 3); }

}  // namespace

void GreyRow(uint8_t* Row, int Bpp, int Count) {
    int i = 0;
    if (Bpp == 4)
        for (; i + 4 <= Count; i += 4) Store(Row + 4 * i, Grey4(Load(Row + 4 * i)));
    for (; i < Count; ++i) GreyPixel(Row + i * Bpp);
}

void GreyRowExcept(uint8_t* Row, int Bpp, int Count, uint8_t Blue, uint8_t Green, uint8_t Red) {
    int i = 0;
    if (Bpp == 4) {
        const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
        const __m128i key = _mm_set1_epi32(int(uint32_t(Blue) | uint32_t(Green) << 8 | uint32_t(Red) << 16));
        for (; i + 4 <= Count; i += 4) {
            const __m128i v = Load(Row + 4 * i);
            const __m128i keep = _mm_cmpeq_epi32(_mm_and_si128(v, colour), key);
            Store(Row + 4 * i, _mm_or_si128(_mm_and_si128(keep, v), _mm_andnot_si128(keep, Grey4(v))));
        }
    }
    for (; i < Count; ++i) {
        uint8_t* p = Row + i * Bpp;
        if (p[0] == Blue && p[1] == Green && p[2] == Red) continue;
        GreyPixel(p);
    }
}

}  // namespace skin
