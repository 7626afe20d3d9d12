#include "2-play/input_stack.h"

void pushInputHandler(InputHandlerStack &stack, InputHandlerFn handler, intptr_t argument) {
    stack.entries.push_back(InputHandler{handler, argument});
}

void popInputHandler(InputHandlerStack &stack) {
    if (!stack.entries.empty()) {
        stack.entries.pop_back();
    }
}

void clearInputHandlers(InputHandlerStack &stack) {
    stack.entries.clear();
}

InputHandlerFn topHandler(const InputHandlerStack &stack) {
    return stack.entries.empty() ? nullptr : stack.entries.back().handler;
}

intptr_t topArgument(const InputHandlerStack &stack) {
    return stack.entries.empty() ? 0 : stack.entries.back().argument;
}

int inputStackDepth(const InputHandlerStack &stack) {
    return (int)stack.entries.size();
}
