# Warnings and sanitizers shared by every target of the project.
function(orlenta_compile_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
    -Wformat=2 -Wimplicit-fallthrough -Wno-missing-field-initializers)
  if(ORLENTA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(ORLENTA_SANITIZE)
    # GCC 12 reports false "maybe uninitialized" in libstdc++ (std::regex,
    # std::function) once the sanitizers instrument it.
    target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
  endif()
endfunction()

if(ORLENTA_SANITIZE STREQUAL "thread")
  # Run with TSAN_OPTIONS naming scripts/tsan.supp (scripts/test does).
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(ORLENTA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
