#include "model/device/Device.h"

int CDevice::SetMap(const char*, int) {
    return 0;
}
int CDevice::GetPinNumber(CString&, const char*, const char*, const char*) const {
    return kMapNotFound;
}
int CDevice::SetPinNumber(const char*, const char*, const char*, const char*, int) {
    return kMapNotFound;
}
int CDevice::RenamePin(const char*, const char*, const char*, int) {
    return 0;
}
CString CDevice::GetInstance(const char*, const char*) const {
    return {};
}
int CDevice::StripGateSuffix(CString&, const char*) const {
    return 0;
}
int CDevice::GetSymbolList(CDeviceSymbolList&) const {
    return 0;
}
BOOL CDevice::IsCompatibleWith(CDrawObj*) const {
    return FALSE;
}
BOOL CDevice::IsCompatibleWith(const char*, const std::vector<CString>&) const {
    return FALSE;
}
void CDevice::UpdateSymbols(CDrawDoc*) const {}
BOOL CDevice::IsValidPartId(CDrawObj*, CString&, UINT) const {
    return TRUE;
}
BOOL CDevice::MakePartId(CString&, long, CDrawObj*) const {
    return TRUE;
}
BOOL CDevice::GetImplicitPinNet(CDrawDoc*, const char*, CString&) const {
    return FALSE;
}
int CDevice::GetImplicitPinNets(CDrawDoc*, const char*, CStringList&, CStringList*) const {
    return 0;
}
bool CDevice::ParseStoredMap(CPinMap&, bool) const {
    return false;
}
int CDevice::CheckAndStore(CPinMap&, int) {
    return 0;
}
