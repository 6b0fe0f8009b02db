#include "CommonControls.h"

#include <cstdlib>
#include <vector>

#include "WinCompat.h"
#include "miniUtils.h"

namespace {

// The encoded identity of the assembly at Index of the roster of Context.
std::string AssemblyIdentity(HANDLE Context, DWORD Index) {
  SIZE_T Size = 0;
  QueryActCtxW(0, Context, &Index, AssemblyDetailedInformationInActivationContext, nullptr, 0,
               &Size);
  std::vector<BYTE> Buffer(Size);
  if (Buffer.empty() ||
      !QueryActCtxW(0, Context, &Index, AssemblyDetailedInformationInActivationContext,
                    Buffer.data(), Size, &Size))
    return std::string();
  const auto* Info =
      reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(Buffer.data());
  return Info->lpAssemblyEncodedAssemblyIdentity
             ? WideToAnsi(Info->lpAssemblyEncodedAssemblyIdentity, CP_ACP)
             : std::string();
}

}  // namespace

std::string CommonControlsAssembly() {
  ACTCTX_SECTION_KEYED_DATA Data{};
  Data.cbSize = sizeof(Data);
  if (!FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &Data))
    return std::string();
  std::string Identity = AssemblyIdentity(Data.hActCtx, Data.ulAssemblyRosterIndex);
  ReleaseActCtx(Data.hActCtx);
  return Identity;
}

// The first assembly of a context made from the executable's manifest is
// the executable's own.
std::string ProgramAssembly() {
  ACTCTXW Request{};
  Request.cbSize = sizeof(Request);
  Request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  Request.hModule = GetModuleHandleW(nullptr);
  // CREATEPROCESS_MANIFEST_RESOURCE_ID, the manifest the loader reads.
  Request.lpResourceName = MAKEINTRESOURCEW(1);
  HANDLE Context = CreateActCtxW(&Request);
  if (Context == INVALID_HANDLE_VALUE) return std::string();
  std::string Identity = AssemblyIdentity(Context, 1);
  ReleaseActCtx(Context);
  return Identity;
}

int CommonControlsAssemblyVersion() {
  const std::string Assembly = CommonControlsAssembly();
  const std::size_t Version = Assembly.find("version=\"");
  return Version == std::string::npos ? 0 : std::atoi(Assembly.c_str() + Version + 9);
}
