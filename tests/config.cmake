ulvo_add_test(config_document_test config_document_test.cpp config_save_test.cpp config_corpus_test.cpp
    config_test_util.cpp bstr_counter.cpp temp_dir.cpp test_main.cpp LIBS ulvo_core)
ulvo_add_test(config_fuzz_test config_fuzz_test.cpp config_test_util.cpp bstr_counter.cpp temp_dir.cpp
    test_main.cpp LIBS ulvo_core)
