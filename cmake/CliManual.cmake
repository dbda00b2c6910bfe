# velmora-cli's man page and bash completion script, written by velmora-cli
# itself from its command table (the man page in English, hence the module).
set(VELMORA_CLI_MAN_PAGE ${CMAKE_BINARY_DIR}/velmora-cli.1)
set(VELMORA_CLI_COMPLETION ${CMAKE_BINARY_DIR}/velmora-cli.bash-completion)
add_custom_command(
  OUTPUT ${VELMORA_CLI_MAN_PAGE} ${VELMORA_CLI_COMPLETION}
  # A sanitizer build's leak report at exit must not fail the build.
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:velmora-cli> --man ${VELMORA_CLI_MAN_PAGE}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:velmora-cli> --bash-completion ${VELMORA_CLI_COMPLETION}
  DEPENDS velmora-cli ${PROJECT_SOURCE_DIR}/translations/velmora_en.ts
  COMMENT "Writing velmora-cli's man page and bash completion")
add_custom_target(velmora_cli_manual ALL DEPENDS ${VELMORA_CLI_MAN_PAGE} ${VELMORA_CLI_COMPLETION})
if(TARGET velmora_translations)
  add_dependencies(velmora_cli_manual velmora_translations)
endif()
