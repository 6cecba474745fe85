// The machine's WMI: memory classes read afresh from the SMBIOS sources at every connection.
#include "platform/wmi/SystemWmi.h"

#include "platform/smbios/SmbiosTable.h"
#include "platform/wmi/MemoryWmiRepository.h"

namespace dm::platform {

std::shared_ptr<const WmiRepository> memoryRepositoryFromImage(std::vector<std::uint8_t> image) {
    const std::optional<SmbiosTable> table = SmbiosTable::fromImage(std::move(image));
    return table ? memoryWmiRepository(readSmbiosMemory(*table)) : nullptr;
}

std::unique_ptr<WmiLocator> makeSystemWmiLocator(SmbiosSources sources) {
    return std::make_unique<LocalWmiLocator>(
        [sources = std::move(sources)]() -> std::shared_ptr<const WmiRepository> {
            const SmbiosMemoryLoad load = loadSmbiosMemoryExplained(sources);
            if (!load.info) {
                std::string why = "No memory source answered";
                for (std::size_t i = 0; i < load.failures.size(); ++i)
                    why += (i == 0 ? ": " : "; ") + load.failures[i];
                throw WmiError(wbem::E_FAILED, why);
            }
            return memoryWmiRepository(*load.info);
        });
}

} // namespace dm::platform
