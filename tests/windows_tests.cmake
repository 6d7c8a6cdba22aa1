# The unit tests of the native build (unit_tests.exe, run under Wine): the logic's tests that need no
# simulated machine, no display and no child processes, and the tests of the native backend itself.
# The others drive the Linux program or its machine over a prefix directory and stay in the Linux suite.
set(OVRA_PORTABLE_TESTS
  tests/app/tags_test.cpp
  tests/app/wizard_test.cpp
  tests/engine/copy_checksum_test.cpp
  tests/engine/install_list_test.cpp
  tests/engine/uninstall_log_test.cpp
  tests/platform/answers_test.cpp
  tests/platform/text_util_test.cpp
  tests/platform/ui/dialog_template_bytes_test.cpp
  tests/resources/catalogue_products_test.cpp
  tests/resources/licence_text_test.cpp
  tests/resources/messages_test.cpp
  tests/support/fake_files.cpp
  tests/uninstall/uninstall_paths_test.cpp
  tests/win32/native_backend_test.cpp
  tools/mkmedia/szdd_compress.cpp)
