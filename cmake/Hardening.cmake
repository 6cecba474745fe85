# The hardening flags of Debian's own packages, for the optimised builds the package is made from
# (the sanitizer and fuzz builds carry their own instrumentation): fortified C library calls,
# stack protection, a read-only relocation table bound at start, and a position-independent
# executable. Qt wants its users compiled as -fPIC (its flags add it), which also makes PIE code;
# executables are linked with -pie. DIMMETRIC_HARDENED tells whether this build has them.
set(DIMMETRIC_HARDENED OFF)
if(NOT DIMMETRIC_SANITIZE AND NOT DIMMETRIC_FUZZ
   AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    add_compile_definitions(_FORTIFY_SOURCE=2)
    add_compile_options(-fstack-protector-strong)
    add_link_options(LINKER:-z,relro LINKER:-z,now
        $<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:-pie>)
    set(DIMMETRIC_HARDENED ON)
endif()
