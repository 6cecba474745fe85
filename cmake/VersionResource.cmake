# The program's version resource (VS_VERSIONINFO), written at build time from the project's
# version by tools/make_version_resource.cpp and placed in an ELF section of the executable, where
# the version reader finds it.

set(DIMMETRIC_COMPANY_NAME "Brackenway" CACHE STRING "CompanyName of the version resource")
set(DIMMETRIC_FILE_DESCRIPTION "Installed memory modules and slots"
    CACHE STRING "FileDescription of the version resource")
set(DIMMETRIC_PRODUCT_VERSION "1.0.0.0" CACHE STRING "ProductVersion of the version resource")

# Embeds the version resource into an executable target.
function(dimmetric_embed_version_resource target)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_resource.cpp)
    add_custom_command(OUTPUT ${source}
        COMMAND dimmetric_version_resource_gen ${source}
            ${CMAKE_PROJECT_VERSION} ${DIMMETRIC_PRODUCT_VERSION}
            "CompanyName=${DIMMETRIC_COMPANY_NAME}"
            "FileDescription=${DIMMETRIC_FILE_DESCRIPTION}"
            "FileVersion=${CMAKE_PROJECT_VERSION}"
            "InternalName=${CMAKE_PROJECT_NAME}"
            "LegalCopyright="
            "OriginalFilename="
            "ProductName=${CMAKE_PROJECT_NAME}"
            "ProductVersion=${DIMMETRIC_PRODUCT_VERSION}"
        DEPENDS dimmetric_version_resource_gen
        COMMENT "Writing the version resource of ${target}"
        VERBATIM)
    target_sources(${target} PRIVATE ${source})
endfunction()
