# The installer package varomil-VERSION.msi, built with wixl from installer/varomil.wxs
# whenever varomil.exe changes. Without wixl (scripts/install-deps installs it) the
# package is not built and its test is skipped.
find_program(WIXL wixl)
set(VAROMIL_MSI ${CMAKE_BINARY_DIR}/varomil-${PROJECT_VERSION}.msi)
if(WIXL)
    set(wxs ${CMAKE_SOURCE_DIR}/installer/varomil.wxs)
    # The product code is one per version: derived from the package's upgrade code
    # and the version, so that a rebuilt package of the same version is the same
    # product, and every new version a new one that replaces the old.
    file(STRINGS ${wxs} upgrade_line REGEX "UpgradeCode=\"[0-9A-F-]+\"")
    string(REGEX MATCH "[0-9A-F]+-[0-9A-F-]+" upgrade_code "${upgrade_line}")
    string(UUID product_code NAMESPACE ${upgrade_code} NAME "Varomil ${PROJECT_VERSION}"
           TYPE SHA1 UPPER)
    # wixl finds the files relative to the folder it runs in, the build tree. The
    # installer's test builds packages of its own with the same command.
    file(RELATIVE_PATH icon ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/resources/varomil.ico)
    set(VAROMIL_WIXL_COMMAND ${WIXL} -a x64 -D ProgramFile=$<TARGET_FILE_NAME:varomil>
                             -D IconFile=${icon} ${wxs})
    add_custom_command(
        OUTPUT ${VAROMIL_MSI}
        COMMAND ${VAROMIL_WIXL_COMMAND} -D Version=${PROJECT_VERSION}
                -D ProductCode=${product_code} -o ${VAROMIL_MSI}
        DEPENDS varomil ${wxs} ${CMAKE_SOURCE_DIR}/resources/varomil.ico
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        COMMENT "Building the installer package varomil-${PROJECT_VERSION}.msi"
        VERBATIM)
    add_custom_target(installer_package ALL DEPENDS ${VAROMIL_MSI})
endif()
