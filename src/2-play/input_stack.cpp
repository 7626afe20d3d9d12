#include "2-play/input_stack.h"

#include <cstdlib>

namespace {

struct StackNode {
    InputHandler *entry;
    StackNode *below;
};

StackNode *top = nullptr;

} // namespace

void pushInputHandler(InputHandlerFn handler, intptr_t argument) {
    InputHandler *entry = (InputHandler *)malloc(sizeof(InputHandler));
    StackNode *node = (StackNode *)malloc(sizeof(StackNode));
    if (entry == nullptr || node == nullptr) {
        free(entry);
        free(node);
        return;
    }
    entry->handler = handler;
    entry->argument = argument;
    node->entry = entry;
    node->below = top;
    top = node;
}

void popInputHandler() {
    if (top == nullptr) {
        return;
    }
    StackNode *node = top;
    top = node->below;
    free(node->entry);
    free(node);
}

void clearInputHandlers() {
    while (top != nullptr) {
        popInputHandler();
    }
}

InputHandlerFn topHandler() {
    return top->entry->handler;
}

intptr_t topArgument() {
    return top->entry->argument;
}

int inputStackDepth() {
    int depth = 0;
    for (StackNode *node = top; node != nullptr; node = node->below) {
        depth++;
    }
    return depth;
}
