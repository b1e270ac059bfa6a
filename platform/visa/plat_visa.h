#ifndef PLAT_VISA_H
#define PLAT_VISA_H
/* The part of the VISA C interface that the instrument layer calls, written from the
   public VISA specification. Instruments are reached through backends chosen by
   resource kind (see visa_registry.h); this header is all a caller needs. */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t ViUInt32;
typedef int32_t ViInt32;
typedef uint16_t ViUInt16;
typedef uint64_t ViUInt64;
typedef unsigned char ViByte;
typedef char ViChar;

typedef ViUInt32 ViObject;
typedef ViObject ViSession;
typedef ViObject ViFindList;
typedef ViInt32 ViStatus;
typedef ViUInt32 ViAttr;
typedef ViUInt32 ViAccessMode;
/* Wide enough for any attribute value on a 64-bit platform. */
typedef ViUInt64 ViAttrState;

typedef ViSession *ViPSession;
typedef ViFindList *ViPFindList;
typedef ViUInt32 *ViPUInt32;
typedef ViByte *ViPBuf;
typedef const ViByte *ViConstBuf;
typedef const ViChar *ViConstString;
typedef const ViChar *ViConstRsrc;

#define VI_NULL 0
#define VI_FIND_BUFLEN 256
#define VI_TMO_IMMEDIATE 0UL
#define VI_TMO_INFINITE 0xFFFFFFFFUL

#define VI_SUCCESS ((ViStatus)0)
#define VI_SUCCESS_MAX_CNT ((ViStatus)0x3FFF0006L)
#define VI_ERROR_SYSTEM_ERROR ((ViStatus)0xBFFF0000UL)
#define VI_ERROR_INV_OBJECT ((ViStatus)0xBFFF000EUL)
#define VI_ERROR_RSRC_NFOUND ((ViStatus)0xBFFF0011UL)
#define VI_ERROR_INV_RSRC_NAME ((ViStatus)0xBFFF0012UL)
#define VI_ERROR_TMO ((ViStatus)0xBFFF0015UL)
#define VI_ERROR_NSUP_ATTR ((ViStatus)0xBFFF001DUL)
#define VI_ERROR_NSUP_ATTR_STATE ((ViStatus)0xBFFF001EUL)
#define VI_ERROR_IO ((ViStatus)0xBFFF003EUL)
#define VI_ERROR_USER_BUF ((ViStatus)0xBFFF0071UL)
#define VI_ERROR_RSRC_BUSY ((ViStatus)0xBFFF0072UL)
#define VI_ERROR_CONN_LOST ((ViStatus)0xBFFF00A6UL)
#define VI_ERROR_NPERMISSION ((ViStatus)0xBFFF00A8UL)

#define VI_ATTR_TMO_VALUE ((ViAttr)0x3FFF001AUL)

ViStatus viOpenDefaultRM(ViPSession vi);
ViStatus viFindRsrc(ViSession sesn, ViConstString expr, ViPFindList vi, ViPUInt32 retCnt,
                    ViChar desc[]);
ViStatus viFindNext(ViFindList vi, ViChar desc[]);
ViStatus viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout, ViPSession vi);
ViStatus viClose(ViObject vi);
ViStatus viWrite(ViSession vi, ViConstBuf buf, ViUInt32 cnt, ViPUInt32 retCnt);
ViStatus viRead(ViSession vi, ViPBuf buf, ViUInt32 cnt, ViPUInt32 retCnt);
ViStatus viClear(ViSession vi);
ViStatus viSetAttribute(ViObject vi, ViAttr attrName, ViAttrState attrValue);
ViStatus viGetAttribute(ViObject vi, ViAttr attrName, void *attrValue);

#ifdef __cplusplus
}
#endif

#endif
