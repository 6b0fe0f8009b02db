#include "CommonControls.h"

#include <cstdlib>
#include <vector>

#include "WinCompat.h"
#include "miniUtils.h"

std::string CommonControlsAssembly() {
  ACTCTX_SECTION_KEYED_DATA Data{};
  Data.cbSize = sizeof(Data);
  if (!FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &Data))
    return std::string();
  SIZE_T Size = 0;
  QueryActCtxW(0, Data.hActCtx, &Data.ulAssemblyRosterIndex,
               AssemblyDetailedInformationInActivationContext, nullptr, 0, &Size);
  std::vector<BYTE> Buffer(Size);
  std::string Identity;
  if (!Buffer.empty() &&
      QueryActCtxW(0, Data.hActCtx, &Data.ulAssemblyRosterIndex,
                   AssemblyDetailedInformationInActivationContext, Buffer.data(), Size, &Size)) {
    const auto* Info =
        reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(Buffer.data());
    Identity = WideToAnsi(Info->lpAssemblyEncodedAssemblyIdentity, CP_ACP);
  }
  ReleaseActCtx(Data.hActCtx);
  return Identity;
}

int CommonControlsAssemblyVersion() {
  const std::string Assembly = CommonControlsAssembly();
  const std::size_t Version = Assembly.find("version=\"");
  return Version == std::string::npos ? 0 : std::atoi(Assembly.c_str() + Version + 9);
}
