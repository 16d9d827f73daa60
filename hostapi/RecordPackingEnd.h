/* Closes RecordPackingBegin.h. No include guard on purpose. */
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(pop)
#endif
