if(KESTROVA_SANITIZERS)
    add_compile_options(-fsanitize=${KESTROVA_SANITIZERS} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${KESTROVA_SANITIZERS})
endif()
