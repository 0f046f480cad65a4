// Adds two vectors on the device.
#include <cstdio>

#define CHECK(call) \
    do { if ((call) != cudaSuccess) std::printf("failed\n"); } while (0)

/* A block comment
   // with a line comment inside */
__global__ void add(const float* a, const float* b, float* c, int n)
{
    int i = blockIdx.x * blockDim.x + threadIdx.x; // the thread's element
    if (i < n)
        c[i] = a[i] + b[i];
}

int main()
{
    const char* text = "a // b /* c */ \" d";
    const char quote = '"'; // a character literal holding a quote
    int big = 1'000'000; // digit separators
    float *a, *b, *c;
    cudaMallocManaged(&a, big * sizeof(float));
    cudaMallocManaged(&b, big * sizeof(float));
    cudaMallocManaged(&c, big * sizeof(float));
    add<<<(big + 255) / 256, 256>>>(a, b, c, big); // a kernel launch
    CHECK(cudaDeviceSynchronize());
    std::printf("%s %c %f\n", text, quote, c[0]);
}
